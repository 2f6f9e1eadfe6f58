#include "ui/qt/qt_errors.h"

#include <QApplication>
#include <QThread>

#include "runtime/error.h"

namespace mundor::ui::qt::err {

void RequireWidgetsThread() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(application)) {
        rt::Raise(kNoApplication,
                  u"No hay ninguna QApplication: el programa anfitrión debe crearla antes de "
                  u"usar el juego de herramientas Qt");
    }
    if (QThread::currentThread() != application->thread()) {
        rt::Raise(kNotUserInterfaceThread,
                  u"Las ventanas y los cuadros de mensaje de Qt solo se pueden usar en el hilo "
                  u"de la interfaz, el de la QApplication");
    }
}

}  // namespace mundor::ui::qt::err
