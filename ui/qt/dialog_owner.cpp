#include "ui/qt/dialog_owner.h"

#include <QThread>

#include "ui/qt/event_scope.h"

namespace mundor::ui::qt {

DialogOwner::~DialogOwner() {
    if (!dialog_) return;
    dialog_->hide();
    const bool eventRunning = EventScope::Active() || QThread::currentThread()->loopLevel() > 0;
    if (eventRunning) {
        dialog_->deleteLater();
    } else {
        delete dialog_.data();
    }
}

}  // namespace mundor::ui::qt
