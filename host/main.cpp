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

std::vector<std::string> ArgumentsLeftByQt() {
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments()) {
        arguments.push_back(argument.toStdString());
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace mundor::host;
    QCoreApplication::setApplicationName(QStringLiteral("mundor"));
    // --help and plain mistakes are answered before Qt needs a display.
    const CommandLine early = ParseCommandLine(ArgumentsOf(argc, argv), ForeignOptions::kPass);
    if (!early.options) return early.exitStatus;

    QApplication application(argc, argv);
    const CommandLine parsed = ParseCommandLine(ArgumentsLeftByQt(), ForeignOptions::kRefuse);
    if (!parsed.options) return parsed.exitStatus;
    return RunHost(*parsed.options);
}
