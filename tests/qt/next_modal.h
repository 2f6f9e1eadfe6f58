// Runs a step once on the next modal widget to appear above `shownNow` (any, when null): a timer
// polls QApplication::activeModalWidget() every `intervalMs` from inside the modal's own event
// loop, never after a fixed delay (0: each time the loop turns, so that no poll delay lands in a
// benchmark's time). The Qt tests and the Qt benchmarks both drive modal windows with it.
#pragma once

#include <functional>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace mundor::ui::qt::testing {

inline void OnModalAbove(QPointer<QWidget> shownNow, int intervalMs,
                         std::function<void(QWidget& modal)> step) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(intervalMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, shownNow, step = std::move(step)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == shownNow || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        step(*modal);
    });
    poll->start();
}

}  // namespace mundor::ui::qt::testing
