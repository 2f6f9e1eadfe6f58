// The host's tests run inside one QApplication on the offscreen platform (unless the environment
// names another), with Qt's Spanish texts as mundor-host has them, against a class registry and
// user settings of their own: the user's are never touched.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/qt_spanish.h"
#include "runtime/registry.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    mundor::host::InstallQtSpanish(application);
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir scratch;
    mundor::rt::SetRegistryPath((scratch.path() + QStringLiteral("/registry.ini")).toStdString());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       scratch.path() + QStringLiteral("/config"));
    return RUN_ALL_TESTS();
}
