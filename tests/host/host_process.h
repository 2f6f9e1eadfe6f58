// mundor-host run as a separate process, the way a user or a script starts it, with a data
// folder and a class registry of the test's own.
#pragma once

#include <QProcess>
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
inline QProcessEnvironment HostEnvironment(const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    environment.insert(QStringLiteral("MUNDOR_REGISTRY"), folder + QStringLiteral("/registry.ini"));
    return environment;
}

inline ProgramRun RunHostProgram(const QStringList& arguments,
                                 const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MUNDOR_HOST_PROGRAM), arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(150000);  // longer, and it waited for someone
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace mundor::host::testing
