// mundor-host: the desktop application of the Mundor catalog over a world catalog, a SQLite file
// or a PostgreSQL server.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "host/display_check.h"
#include "host/host_application.h"
#include "host/host_errors.h"
#include "host/host_options.h"
#include "host/qt_spanish.h"

int main(int argc, char** argv) {
    using namespace mundor::host;
    // --help, --version and mistakes are answered before Qt looks for a display.
    const std::vector<std::string> arguments(argv, argv + argc);
    const CommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.options) return parsed.exitStatus;
    if (!DisplayReachable(arguments)) {
        std::cerr << "mundor-host: no hay pantalla donde mostrar la ventana: ni DISPLAY ni "
                     "WAYLAND_DISPLAY nombran una. Ejecútelo en una sesión gráfica, con xvfb-run "
                     "o con -platform offscreen.\n";
        return kExitNoDisplay;
    }

    QCoreApplication::setApplicationName(QStringLiteral("mundor"));
    QApplication application(argc, argv);
    InstallQtSpanish(application);
    return RunHost(*parsed.options);
}
