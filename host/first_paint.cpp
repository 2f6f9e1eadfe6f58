#include "host/first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace mundor::host {

FirstPaintWatcher::FirstPaintWatcher(QWidget& window, std::function<void()> action)
    : window_(window), action_(std::move(action)) {
    window_.installEventFilter(this);
}

bool FirstPaintWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (!seen_ && watched == &window_ && event->type() == QEvent::Paint) {
        seen_ = true;
        window_.removeEventFilter(this);
        // Queued: the rest of the frame is painted and flushed to the screen first.
        QTimer::singleShot(0, this, [this] { action_(); });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace mundor::host
