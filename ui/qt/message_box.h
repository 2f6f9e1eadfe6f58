// The message box on a QMessageBox: the style's icon, its buttons with their Spanish captions
// and its default button, over the topmost window. Enter presses the focused button, which is
// the default one until the user moves; Esc answers Cancel, or OK in a box with only OK, or No
// in a Yes/No box; a box with Abort, Retry and Ignore answers Esc with Abort, as Qt decides.
#pragma once

#include <QString>

#include "contracts/ui/message_box.h"

namespace mundor::ui::qt {

// The caption of the button that gives that answer: "Aceptar", "Cancelar", "&Sí", "&No", ...
QString CaptionForAnswer(LONG answer);

// Shows the box and blocks, with the event loop running, until the user answers.
LONG ShowMessageBox(const MessageBoxRequest& request);

}  // namespace mundor::ui::qt
