#include "ui/qt/form_dialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>

namespace mundor::ui::qt {

void FormDialog::RequestClose() {
    // A copy: the callee may release the window, and with it the owner of the callback.
    const std::function<void()> request = onCloseRequest;
    if (request) request();
}

void FormDialog::closeEvent(QCloseEvent* event) {
    // The logic decides, and unloads the window itself when it agrees.
    event->ignore();
    RequestClose();
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier && key == Qt::Key_Escape) {
        event->accept();
        return RequestClose();
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter) return QWidget::keyPressEvent(event);
    event->accept();
    if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
        if (button->isEnabled()) button->click();
    }
}

}  // namespace mundor::ui::qt
