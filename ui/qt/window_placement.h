// Where and how a form's window appears: its title-bar buttons and taskbar entry, its owner,
// and its place (centred on the owner or on the screen).
#pragma once

#include <QWidget>

#include "contracts/ui/form_definition.h"

namespace mundor::ui::qt {

// A window with a title and a close box, and a maximise or minimise button only when the
// settings ask. A window kept out of the taskbar is a dialog, which window managers leave out
// because Qt marks it transient for its owner (or for the application when it has none).
Qt::WindowFlags WindowFlagsFor(const WindowSettings& settings);

// The window that owns a window or message box opening now: the topmost modal window, else the
// active window; null when there is none. `opening` itself is never its own owner.
QWidget* CurrentOwner(const QWidget* opening = nullptr);

// Ties `window` to its owner and moves it where its start-up position says, kept on screen.
void PlaceWindow(QWidget& window, StartUpPosition position, QWidget* owner);

}  // namespace mundor::ui::qt
