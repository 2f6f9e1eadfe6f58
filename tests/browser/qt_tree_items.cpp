#include "qt_tree_items.h"

#include <QTest>
#include <stdexcept>

namespace browser_test {

QTreeWidget& TreeWidgetOf(QWidget& browser) {
    auto* tree = browser.findChild<QTreeWidget*>(QStringLiteral("tvwPaises"));
    if (!tree) throw std::runtime_error("the browser shows no tree tvwPaises");
    return *tree;
}

QTreeWidgetItem* ItemWithText(QTreeWidget& tree, const QString& text) {
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

QStringList TextsOf(QTreeWidget& tree) {
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) texts << tree.topLevelItem(i)->text(0);
    return texts;
}

QStringList ChildTextsOf(const QTreeWidgetItem& item) {
    QStringList texts;
    for (int i = 0; i < item.childCount(); ++i) texts << item.child(i)->text(0);
    return texts;
}

QTreeWidgetItem* ItemAt(QTreeWidget& tree, const QStringList& path) {
    QTreeWidgetItem* item = nullptr;
    for (const QString& text : path) {
        const int count = item ? item->childCount() : tree.topLevelItemCount();
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* candidate = item ? item->child(i) : tree.topLevelItem(i);
            if (candidate->text(0) == text) found = candidate;
        }
        if (!found) return nullptr;
        item = found;
    }
    return item;
}

void ClickBranchSign(QTreeWidget& tree, QTreeWidgetItem& item) {
    tree.scrollToItem(&item);
    const QRect row = tree.visualItemRect(&item);
    const QPoint sign(row.left() - tree.indentation() / 2, row.center().y());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, sign);
}

void ClickItem(QTreeWidget& tree, QTreeWidgetItem& item) {
    tree.scrollToItem(&item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(&item).center());
}

}  // namespace browser_test
