#include "host/window_memory.h"

#include <QMainWindow>
#include <QSettings>
#include <QSplitter>

namespace mundor::host {

namespace {

QSettings UserSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("mundor"),
                     QStringLiteral("mundor-host"));
}

const QString kGeometry = QStringLiteral("ventana/geometria");
const QString kSplit = QStringLiteral("ventana/division");

}  // namespace

bool RestoreWindowPlace(QMainWindow& window, QSplitter& split) {
    const QSettings settings = UserSettings();
    split.restoreState(settings.value(kSplit).toByteArray());
    return window.restoreGeometry(settings.value(kGeometry).toByteArray());
}

void SaveWindowPlace(const QMainWindow& window, const QSplitter& split) {
    QSettings settings = UserSettings();
    settings.setValue(kGeometry, window.saveGeometry());
    settings.setValue(kSplit, split.saveState());
}

}  // namespace mundor::host
