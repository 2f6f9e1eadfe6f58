// The stored look of a button: back and fore colours at rest and under the mouse (`bcol`,
// `bcolo`, `fcol`, `fcolo`), enabled (`enab`), the hand pointer (`hand`) and the check-button
// mode (`check`, `value`). Colours go into the button's palette, so the desktop's style still
// draws the button, its pressed state and its focus frame.
#pragma once

#include <optional>

#include <QColor>
#include <QObject>

#include "contracts/ui/form_definition.h"

class QPushButton;

namespace mundor::ui::qt {

struct ButtonLook {
    std::optional<QColor> back;
    std::optional<QColor> backOver;
    std::optional<QColor> fore;
    std::optional<QColor> foreOver;
    bool enabled = true;
    bool handPointer = false;
    bool checkable = false;
    bool checked = false;

    static ButtonLook Of(const ControlDefinition& definition, const QPalette& palette);
};

void ApplyButtonLook(QPushButton& button, const ButtonLook& look);

}  // namespace mundor::ui::qt
