#include "ui/qt/tree_control.h"

namespace mundor::ui::qt {

QtTree::QtTree(const ControlDefinition& definition, ControlHost& host, QWidget& parent)
    : definition_(definition),
      host_(host),
      widget_(new ExpandingTreeWidget(&parent)),
      nodes_(*widget_) {
    widget_->setFocusPolicy(Qt::StrongFocus);
    widget_->onExpandRequest = [this](QTreeWidgetItem& item) { OnExpandRequest(item); };
    collapsed_ = QObject::connect(widget_, &QTreeWidget::itemCollapsed, widget_,
                                  [this](QTreeWidgetItem* item) { OnCollapsed(*item); });
}

QtTree::~QtTree() {
    QObject::disconnect(collapsed_);
    widget_->onExpandRequest = nullptr;
}

void QtTree::OnExpandRequest(QTreeWidgetItem& item) {
    const std::shared_ptr<QtNode> node = nodes_.NodeOf(&item);
    if (!node) return;
    const EventScope scope = host_.EnterEvent();
    host_.RunHandler([&] { host_.Events().OnExpand(*this, node); });
    // The node opens now, if the handler left it anything to show.
    if (!node->removed() && node->item().childCount() > 0) node->item().setExpanded(true);
}

void QtTree::OnCollapsed(QTreeWidgetItem& item) {
    const QList<QTreeWidgetItem*> selected = widget_->selectedItems();
    if (selected.isEmpty()) return;
    for (QTreeWidgetItem* above = selected.front()->parent(); above; above = above->parent()) {
        if (above == &item) return widget_->setCurrentItem(&item);
    }
}

}  // namespace mundor::ui::qt
