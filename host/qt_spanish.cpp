#include "host/qt_spanish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtDebug>

namespace mundor::host {

bool InstallQtSpanish(QCoreApplication& application) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Owned by the application: Qt reads it for as long as there are texts to show.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          folder)) {
        qWarning().noquote() << "No se encontraron las traducciones de Qt al español (qtbase_es.qm)"
                             << "en" << folder << "; los textos propios de Qt saldrán en inglés.";
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace mundor::host
