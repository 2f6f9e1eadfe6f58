// mundor-host run as a separate process, the way a user or a script starts it, with a data
// folder and a class registry of the test's own.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace mundor::host::testing {

struct ProgramRun {
    bool finished = false;  // false: it had to be killed
    int exitCode = -1;
    QString out;
    QString err;
};

// Offscreen, with XDG_DATA_HOME at <folder>/data, XDG_CONFIG_HOME at <folder>/config and the
// registry at <folder>/registry.ini.
QProcessEnvironment HostEnvironment(const QString& folder);

ProgramRun RunHostProgram(const QStringList& arguments, const QProcessEnvironment& environment);

}  // namespace mundor::host::testing
