#include "host/display_check.h"

#include <cstdlib>
#include <string_view>

namespace mundor::host {

namespace {

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Qt's own -display NAME, which names the X server on the command line.
bool DisplayNamed(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument.starts_with("--")) argument.remove_prefix(1);
        if (argument == "-display" || argument.starts_with("-display=")) return true;
    }
    return false;
}

}  // namespace

std::string ChosenPlatform(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument.starts_with("--")) argument.remove_prefix(1);
        if (argument == "-platform" && i + 1 < arguments.size()) return arguments[i + 1];
        if (argument.starts_with("-platform=")) return std::string(argument.substr(10));
    }
    return Set("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : std::string();
}

bool DisplayReachable(const std::vector<std::string>& arguments) {
    const std::string platform = ChosenPlatform(arguments);
    // "xcb", "wayland", "wayland-egl", or a list with a fallback ("wayland;xcb").
    const bool needsServer =
        platform.empty() || platform.starts_with("xcb") || platform.starts_with("wayland");
    return !needsServer || Set("DISPLAY") || Set("WAYLAND_DISPLAY") || DisplayNamed(arguments);
}

}  // namespace mundor::host
