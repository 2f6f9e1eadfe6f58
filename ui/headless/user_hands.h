// The scripted user's hands: one planned action done on a shown window, as a person would do it,
// or a script failure when a person could not do it (no such control, a read-only field, a node
// that is not on screen, ...).
#pragma once

#include "ui/headless/headless_window.h"
#include "ui/headless/scripted_user.h"

namespace mundor::ui::headless {

void PerformUserAction(HeadlessWindow& window, const UserAction& action);

}  // namespace mundor::ui::headless
