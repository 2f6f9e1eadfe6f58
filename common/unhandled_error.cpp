#include "common/unhandled_error.h"

#include <string>

#include "contracts/ui/message_box.h"
#include "runtime/text.h"

namespace mundor::common {

void ShowUnhandledError(const rt::AppObject& app, const rt::RuntimeError& error) {
    const std::u16string number = rt::DecimalText(error.number());
    ui::MsgBox(app,
               u"Se ha producido el error '" + number + u"' en tiempo de ejecución:\n\n" +
                   error.description(),
               ui::vbCritical);
}

}  // namespace mundor::common
