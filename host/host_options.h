// The command line of mundor-host, read before any window system is touched: --help, --version
// and a mistake are answered without a display.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mundor::host {

struct HostOptions {
    std::string catalogPath;  // empty: the user's own catalog in the data folder
    std::string searchText;   // what the search field starts with
    std::string screenshotPath;
    bool exitAfterFirstPaint = false;
    bool byName = false;  // the member console starts with the calls routed by name

    // A run that nobody watches (a screenshot, a timing) never waits on a message box.
    bool Interactive() const { return screenshotPath.empty() && !exitAfterFirstPaint; }
};

// The options, or the status to end with at once (after --help or --version, or a bad command
// line, whose text has then been printed).
struct CommandLine {
    std::optional<HostOptions> options;
    int exitStatus = 0;
};

// `arguments` starts with the program's name, as argv does. Qt's own options (-platform, -style,
// -display...) are left for the QApplication; anything else the program does not know is a
// mistake.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The arguments without Qt's own options and their values.
std::vector<std::string> WithoutQtOptions(const std::vector<std::string>& arguments);

}  // namespace mundor::host
