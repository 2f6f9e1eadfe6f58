#include "common/error_box.h"

#include <string>

#include "common/caught_error.h"
#include "contracts/ui/message_box.h"
#include "runtime/log.h"
#include "runtime/text.h"

namespace mundor::common {

void ShowErrorBox(const rt::AppObject& app, const rt::RuntimeError& error,
                  std::u16string_view suffix, std::string_view area) noexcept {
    try {
        const std::u16string text = u"(" + rt::DecimalText(error.number()) + u") " +
                                    error.description() + std::u16string(suffix);
        ui::MsgBox(app, text, ui::vbCritical, app.Title);
    } catch (...) {
        const rt::RuntimeError boxError = CaughtError();
        rt::LogDroppedError(area, u"al mostrar el cuadro de error" + std::u16string(suffix),
                            boxError.number(), boxError.description());
    }
}

}  // namespace mundor::common
