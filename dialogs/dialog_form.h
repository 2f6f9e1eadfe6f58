// The pieces every edit dialog's form is made of: titled text fields, buttons and the module
// banner with the look the three dialogs share, and the window settings of a small modal dialog
// (no maximise or minimise button, not in the taskbar, centred on its owner).
#pragma once

#include <string_view>
#include <vector>

#include "contracts/ui/form_definition.h"

namespace mundor::dialogs {

// A control's rectangle in twips.
struct Place {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
};

// A titled text field with the shared font and colour and an empty value; `extra` adds the
// field's own settings (`max`, `ccase`, `titlewidthp`).
ui::ControlDefinition TextFieldRow(std::u16string_view name, std::u16string_view title, Place place,
                                   LONG tabIndex, std::vector<ui::Setting> extra = {});
// A button with the look settings every dialog button has; `caption` carries its access key.
ui::ControlDefinition ButtonRow(std::u16string_view name, std::u16string_view caption, Place place,
                                LONG tabIndex);
// The module banner `axMirel`, whose `modulo` names the window ("Form/" and its name).
ui::ControlDefinition BannerRow(std::u16string_view windowName, Place place, LONG tabIndex);

// The dialog window: its name, caption, client size in twips and controls in tab order.
ui::FormDefinition DialogForm(std::u16string_view name, std::u16string_view caption,
                              LONG clientWidth, LONG clientHeight,
                              std::vector<ui::ControlDefinition> controls);

}  // namespace mundor::dialogs
