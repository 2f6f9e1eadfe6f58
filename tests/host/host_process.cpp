#include "host_process.h"

#include <QProcess>

namespace mundor::host::testing {

namespace {
constexpr int kLongestRunMs = 150000;
}

QProcessEnvironment HostEnvironment(const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    environment.insert(QStringLiteral("MUNDOR_REGISTRY"), folder + QStringLiteral("/registry.ini"));
    return environment;
}

ProgramRun RunHostProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MUNDOR_HOST_PROGRAM), arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(kLongestRunMs);
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
