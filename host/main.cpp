// mundor-host: the desktop application of the Mundor catalog over a world catalog, a SQLite file
// or a PostgreSQL server.
#include <QApplication>
#include <string>
#include <vector>

#include "host/host_application.h"
#include "host/host_options.h"
#include "host/qt_spanish.h"

int main(int argc, char** argv) {
    using namespace mundor::host;
    // --help, --version and mistakes are answered before Qt looks for a display.
    const CommandLine parsed = ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (!parsed.options) return parsed.exitStatus;

    QCoreApplication::setApplicationName(QStringLiteral("mundor"));
    QApplication application(argc, argv);
    InstallQtSpanish(application);
    return RunHost(*parsed.options);
}
