#include "ui/qt/window_placement.h"

#include <algorithm>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace mundor::ui::qt {

namespace {

QScreen* ScreenFor(const QWidget* owner) {
    if (owner && owner->screen()) return owner->screen();
    return QGuiApplication::primaryScreen();
}

// Moves `rect` inside `area` as far as it fits.
QRect KeptInside(QRect rect, const QRect& area) {
    rect.moveLeft(std::max(area.left(), std::min(rect.left(), area.right() - rect.width() + 1)));
    rect.moveTop(std::max(area.top(), std::min(rect.top(), area.bottom() - rect.height() + 1)));
    return rect;
}

void TieToOwner(QWidget& window, QWidget* owner) {
    QWindow* handle = window.windowHandle();
    if (owner && handle) handle->setTransientParent(owner->window()->windowHandle());
}

QMargins MarginsAround(const QRect& client, const QRect& frame) {
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// The frame the window manager puts around the window: its own once the platform knows it, else
// its owner's, which a first show is likely to get too.
QMargins FrameMargins(const QWidget& window, const QWidget* owner) {
    const QWindow* handle = window.windowHandle();
    if (handle && !handle->frameMargins().isNull()) return handle->frameMargins();
    if (!owner) return {};
    const QWidget& ownerWindow = *owner->window();
    return MarginsAround(ownerWindow.geometry(), ownerWindow.frameGeometry());
}

}  // namespace

Qt::WindowFlags WindowFlagsFor(const WindowSettings& settings) {
    Qt::WindowFlags flags = settings.showInTaskbar ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    if (settings.maxButton) flags |= Qt::WindowMaximizeButtonHint;
    if (settings.minButton) flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

QWidget* CurrentOwner(const QWidget* opening) {
    for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (candidate && candidate != opening && candidate->isVisible()) return candidate;
    }
    return nullptr;
}

void PlaceWindow(QWidget& window, StartUpPosition position, QWidget* owner) {
    window.winId();  // the native window: it carries the owner and knows its frame
    TieToOwner(window, owner);
    if (position == StartUpPosition::Manual) return;
    const QRect screenArea = ScreenFor(owner)->availableGeometry();
    const bool onOwner = position == StartUpPosition::CenterOwner && owner;
    const QRect around = onOwner ? owner->window()->frameGeometry() : screenArea;
    const QSize frame = window.size().grownBy(FrameMargins(window, owner));
    const QPoint topLeft(around.left() + (around.width() - frame.width()) / 2,
                         around.top() + (around.height() - frame.height()) / 2);
    // A top-level widget's position is that of its frame.
    window.move(KeptInside(QRect(topLeft, frame), screenArea).topLeft());
}

}  // namespace mundor::ui::qt
