// The browser's tree on real widgets, as a person finds things on it: items by their text, and
// the point of an item's branch sign, where a click opens it.
#pragma once

#include <QPoint>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>

namespace browser_test {

QTreeWidget& TreeWidgetOf(QWidget& browser);
QTreeWidgetItem* ItemWithText(QTreeWidget& tree, const QString& text);
QStringList TextsOf(QTreeWidget& tree);  // the top-level items
QStringList ChildTextsOf(const QTreeWidgetItem& item);
// The item at the end of a path of texts, from a root down; null when there is none.
QTreeWidgetItem* ItemAt(QTreeWidget& tree, const QStringList& path);
// Opens the item the way a person does: a click on its branch sign.
void ClickBranchSign(QTreeWidget& tree, QTreeWidgetItem& item);
// Selects the item the way a person does: scrolled into view if it is not, then clicked.
void ClickItem(QTreeWidget& tree, QTreeWidgetItem& item);

}  // namespace browser_test
