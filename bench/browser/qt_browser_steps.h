// What the browser's Qt benchmarks do on screen: wait for the browser to show, find an item by
// its text, open it with a click on its branch sign, and answer the next modal window at once.
#pragma once

#include <functional>

#include <QTreeWidget>
#include <QWidget>

namespace mundor::bench {

// Runs `step` on the browser once it is the modal window in front.
void WhenBrowserShows(std::function<void(QWidget&)> step);

QTreeWidgetItem* ItemWithText(QTreeWidget& tree, const QString& text);
void ClickBranchSign(QTreeWidget& tree, QTreeWidgetItem& item);

// Runs `step` on the next modal window to appear above the one in front now, as soon as the
// event loop turns: a timer of no interval looks for it, so that no poll delay lands in a time.
void AnswerNextModalAtOnce(std::function<void(QWidget&)> step);

}  // namespace mundor::bench
