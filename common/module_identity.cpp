#include "common/module_identity.h"

#include <string>

#include "common/file_extension.h"
#include "runtime/text.h"

namespace mundor::common {

std::u16string VersionText(const rt::AppObject& app) {
    return rt::DecimalText(app.Major) + u"." + rt::DecimalText(app.Minor) + u".0." +
           rt::DecimalText(app.Revision);
}

void FillModuleIdentity(const rt::AppObject& app, ui::ModuleBanner& banner) {
    const std::u16string& exeName = app.EXEName;
    const std::u16string extension = FindFileExtension(app.Path, exeName);
    banner.SetProperty(u"Nombre", exeName + extension);
    banner.SetProperty(u"Ubicacion", app.Path);
    banner.SetProperty(u"Version", VersionText(app));
}

}  // namespace mundor::common
