#include "common/module_identity.h"

#include <string>

#include "common/file_extension.h"
#include "runtime/bstr.h"

namespace mundor::common {

namespace {

std::u16string Decimal(WORD number) {
    return rt::Utf8ToUtf16(std::to_string(number));
}

}  // namespace

std::u16string VersionText(const rt::AppObject& app) {
    return Decimal(app.Major) + u"." + Decimal(app.Minor) + u".0." + Decimal(app.Revision);
}

void FillModuleIdentity(const rt::AppObject& app, ui::ModuleBanner& banner) {
    const std::u16string& exeName = app.EXEName;
    const std::u16string extension = FindFileExtension(app.Path, exeName);
    banner.SetProperty(u"Nombre", exeName + extension);
    banner.SetProperty(u"Ubicacion", app.Path);
    banner.SetProperty(u"Version", VersionText(app));
}

}  // namespace mundor::common
