#include "ui/qt/expanding_tree_widget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace mundor::ui::qt {

ExpandingTreeWidget::ExpandingTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(true);
    setAnimated(false);
    setUniformRowHeights(true);
    // Double clicks open items through RequestExpand, like every other way.
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

bool ExpandingTreeWidget::CanOpen(const QTreeWidgetItem* item) const {
    return item && itemsExpandable() && !item->isExpanded() && item->childCount() > 0;
}

QTreeWidgetItem* ExpandingTreeWidget::ItemWithBranchSignAt(const QPoint& point) const {
    const QModelIndex index = indexAt(point).siblingAtColumn(0);
    if (!index.isValid()) return nullptr;
    if (!rootIsDecorated() && !index.parent().isValid()) return nullptr;
    // The sign sits in the last step of the item's indentation, just before its text.
    const QRect item = visualRect(index);
    const int left = isRightToLeft() ? item.right() + 1 : item.left() - indentation();
    const QRect sign(left, item.top(), indentation(), item.height());
    return sign.contains(point) ? itemFromIndex(index) : nullptr;
}

bool ExpandingTreeWidget::IsOpenKey(const QKeyEvent& event) const {
    const Qt::Key openArrow = isRightToLeft() ? Qt::Key_Left : Qt::Key_Right;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) return false;
    const int key = event.key();
    return key == Qt::Key_Plus || key == Qt::Key_Asterisk || key == openArrow;
}

void ExpandingTreeWidget::RequestExpand(QTreeWidgetItem& item) {
    // A copy: the callee may release the window, and with it the control that set the callback.
    const std::function<void(QTreeWidgetItem&)> request = onExpandRequest;
    if (request) request(item);
}

void ExpandingTreeWidget::keyPressEvent(QKeyEvent* event) {
    QTreeWidgetItem* current = currentItem();
    const bool arrow = event->key() != Qt::Key_Plus && event->key() != Qt::Key_Asterisk;
    if (!IsOpenKey(*event) || (arrow && !CanOpen(current))) {
        return QTreeWidget::keyPressEvent(event);
    }
    // Plus and Asterisk never reach Qt, which would mark even an item without children open.
    event->accept();
    if (CanOpen(current)) RequestExpand(*current);
}

void ExpandingTreeWidget::mousePressEvent(QMouseEvent* event) {
    swallowRelease_ = false;
    QTreeWidgetItem* item = event->button() == Qt::LeftButton
                                ? ItemWithBranchSignAt(event->position().toPoint())
                                : nullptr;
    if (!CanOpen(item)) return QTreeWidget::mousePressEvent(event);
    event->accept();
    swallowRelease_ = true;
    RequestExpand(*item);
}

void ExpandingTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!swallowRelease_) return QTreeWidget::mouseReleaseEvent(event);
    swallowRelease_ = false;
    event->accept();
}

void ExpandingTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const bool onSign = ItemWithBranchSignAt(point) != nullptr;
    QTreeWidget::mouseDoubleClickEvent(event);
    if (onSign || event->button() != Qt::LeftButton) return;
    QTreeWidgetItem* item = itemAt(point);
    if (!item) return;
    if (CanOpen(item)) return RequestExpand(*item);
    if (item->isExpanded()) item->setExpanded(false);
}

}  // namespace mundor::ui::qt
