// The host's tests run inside one QApplication on the offscreen platform (unless the environment
// names another), against a class registry of their own: the user's is never touched.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "runtime/registry.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir registryDir;
    mundor::rt::SetRegistryPath(
        (registryDir.path() + QStringLiteral("/registry.ini")).toStdString());
    return RUN_ALL_TESTS();
}
