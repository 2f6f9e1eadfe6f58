// The three add buttons, one button array cmdAction with one click handler: index 0 adds a
// country, 1 a state or province, 2 a city. The new node goes last under its parent (or last
// among the roots); nothing is selected, scrolled to or expanded by the command.
#pragma once

#include "browser/command_context.h"
#include "contracts/ui/controls.h"

namespace mundor::browser {

// The click of cmdAction(button.Index()). Every step that fails is passed over without a
// message (the log keeps its error) and the add goes on with its next step; a node is added only
// once the launcher has answered True, and a failed launcher call adds nothing.
void AddFromButton(const CommandContext& context, const ui::Button& button);

}  // namespace mundor::browser
