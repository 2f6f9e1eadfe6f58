#include "qt_browser_steps.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace mundor::bench {

namespace {

// Polls with a timer of `interval` ms until a modal window other than `shownNow` is in front.
void OnModal(int interval, QPointer<QWidget> shownNow, std::function<void(QWidget&)> step) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(interval);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, shownNow, step = std::move(step)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == shownNow || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        step(*modal);
    });
    poll->start();
}

}  // namespace

void WhenBrowserShows(std::function<void(QWidget&)> step) {
    OnModal(1, nullptr, std::move(step));
}

void AnswerNextModalAtOnce(std::function<void(QWidget&)> step) {
    OnModal(0, QApplication::activeModalWidget(), std::move(step));
}

QTreeWidgetItem* ItemWithText(QTreeWidget& tree, const QString& text) {
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

void ClickBranchSign(QTreeWidget& tree, QTreeWidgetItem& item) {
    const QRect row = tree.visualItemRect(&item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      {row.left() - tree.indentation() / 2, row.center().y()});
}

}  // namespace mundor::bench
