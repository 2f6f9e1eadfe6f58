// Where the user left the main window (its size, position and the split between the list and
// the details), kept in the user's settings (~/.config/mundor/mundor-host.conf) from one run to
// the next.
#pragma once

class QMainWindow;
class QSplitter;

namespace mundor::host {

// False when nothing was kept yet: the window keeps the size it was given.
bool RestoreWindowPlace(QMainWindow& window, QSplitter& split);
void SaveWindowPlace(const QMainWindow& window, const QSplitter& split);

}  // namespace mundor::host
