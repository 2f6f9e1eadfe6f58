#include "contracts/ui/message_box.h"

#include <algorithm>

#include "contracts/ui/toolkit.h"
#include "contracts/ui/ui_errors.h"

namespace mundor::ui {

namespace {

constexpr LONG kButtonsMask = 0xF;
constexpr LONG kIconMask = 0xF0;
constexpr LONG kDefaultButtonMask = 0xF00;

std::vector<LONG> ButtonsOf(LONG buttons) {
    switch (buttons) {
        case vbOKOnly:
            return {vbOK};
        case vbOKCancel:
            return {vbOK, vbCancel};
        case vbAbortRetryIgnore:
            return {vbAbort, vbRetry, vbIgnore};
        case vbYesNoCancel:
            return {vbYes, vbNo, vbCancel};
        case vbYesNo:
            return {vbYes, vbNo};
        case vbRetryCancel:
            return {vbRetry, vbCancel};
        default:
            err::RaiseInvalidCall(u"estilo de cuadro de mensaje desconocido");
    }
}

MessageIcon IconOf(LONG icon) {
    switch (icon) {
        case 0:
            return MessageIcon::None;
        case vbCritical:
            return MessageIcon::Critical;
        case vbQuestion:
            return MessageIcon::Question;
        case vbExclamation:
            return MessageIcon::Exclamation;
        case vbInformation:
            return MessageIcon::Information;
        default:
            err::RaiseInvalidCall(u"icono de cuadro de mensaje desconocido");
    }
}

}  // namespace

bool MessageBoxLook::Offers(LONG answer) const {
    return std::find(buttons.begin(), buttons.end(), answer) != buttons.end();
}

MessageBoxLook DescribeStyle(LONG style) {
    const LONG known = kButtonsMask | kIconMask | kDefaultButtonMask;
    if (style < 0 || (style & ~known) != 0) {
        err::RaiseInvalidCall(u"estilo de cuadro de mensaje desconocido");
    }
    MessageBoxLook look;
    look.buttons = ButtonsOf(style & kButtonsMask);
    look.icon = IconOf(style & kIconMask);
    const auto position = static_cast<std::size_t>((style & kDefaultButtonMask) / vbDefaultButton2);
    // Like the platform, a default button past the last one falls back to the first.
    look.defaultButton = position < look.buttons.size() ? look.buttons[position] : look.buttons[0];
    return look;
}

LONG MsgBox(const rt::AppObject& app, std::u16string_view prompt, LONG style,
            std::optional<std::u16string_view> title) {
    MessageBoxRequest request;
    request.prompt = prompt;
    request.style = style;
    if (title) request.title = std::u16string(*title);
    request.applicationTitle = app.Title;
    return ThreadToolkit().MsgBox(request);
}

}  // namespace mundor::ui
