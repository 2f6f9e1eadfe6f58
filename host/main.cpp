// mundor-host: the desktop host of the Mundor component over a world catalog, a SQLite file or a
// PostgreSQL server.
#include <QApplication>
#include <string>
#include <vector>

#include "host/host_application.h"
#include "host/host_options.h"

namespace {

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return {argv, argv + argc};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace mundor::host;
    QCoreApplication::setApplicationName(QStringLiteral("mundor"));
    // --help and plain mistakes are answered before Qt needs a display.
    const CommandLine early = ParseCommandLine(ArgumentsOf(argc, argv), ForeignOptions::kPass);
    if (!early.options) return early.exitStatus;

    // Qt takes its own options out of argv. What is left is read from argv itself, not from
    // QCoreApplication::arguments(): paths are bytes on Linux, and a name that is not UTF-8 must
    // reach the library as it is, not with replacement characters.
    QApplication application(argc, argv);
    const CommandLine parsed = ParseCommandLine(ArgumentsOf(argc, argv), ForeignOptions::kRefuse);
    if (!parsed.options) return parsed.exitStatus;
    return RunHost(*parsed.options);
}
