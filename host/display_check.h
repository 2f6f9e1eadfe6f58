// Whether Qt will find a screen to show the window on. Without one, Qt's platform plugin ends
// the program with an abort and an English message; the host says so in Spanish first.
#pragma once

#include <string>
#include <vector>

namespace mundor::host {

// The platform Qt will use, as the command line (-platform NAME, -platform=NAME) or else
// QT_QPA_PLATFORM names it; empty when neither does (Qt then tries xcb or wayland).
std::string ChosenPlatform(const std::vector<std::string>& arguments);

// False when the platform needs a display server (xcb, wayland, or none chosen) and neither
// DISPLAY, WAYLAND_DISPLAY nor Qt's -display option names one.
bool DisplayReachable(const std::vector<std::string>& arguments);

}  // namespace mundor::host
