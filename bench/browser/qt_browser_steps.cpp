#include "qt_browser_steps.h"

#include <QApplication>
#include <QTest>

#include "next_modal.h"

namespace mundor::bench {

using ui::qt::testing::OnModalAbove;

void WhenBrowserShows(std::function<void(QWidget&)> step) {
    OnModalAbove(nullptr, 1, std::move(step));
}

void AnswerNextModalAtOnce(std::function<void(QWidget&)> step) {
    OnModalAbove(QApplication::activeModalWidget(), 0, std::move(step));
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
