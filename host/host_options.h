// The command line of mundor-host.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mundor::host {

struct HostOptions {
    std::string catalogPath;  // empty: the user's own catalog in the data folder
    std::string screenshotPath;
    bool exitAfterFirstPaint = false;
    bool byName = false;  // start with the calls routed by name

    // A run that nobody watches (a screenshot, a timing) never waits on a message box.
    bool Interactive() const { return screenshotPath.empty() && !exitAfterFirstPaint; }
};

// Options the program does not know may belong to Qt: before the QApplication exists they pass;
// once it has taken its own, what is left must be ours.
enum class ForeignOptions { kPass, kRefuse };

// The options, or the status to end with at once (after --help, or a bad command line, whose
// text has then been printed).
struct CommandLine {
    std::optional<HostOptions> options;
    int exitStatus = 0;
};

// `arguments` starts with the program's name, as argv does.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, ForeignOptions foreign);

}  // namespace mundor::host
