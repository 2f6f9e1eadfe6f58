#include "ui/qt/tree_nodes.h"

#include <algorithm>

#include "contracts/ui/ui_errors.h"

namespace mundor::ui::qt {

namespace {

// Where an item keeps the node it shows.
constexpr int kNodeRole = Qt::UserRole;

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

bool IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem& top) {
    for (; item; item = item->parent()) {
        if (item == &top) return true;
    }
    return false;
}

}  // namespace

bool QtNode::Expanded() const {
    CheckAlive();
    return item_->isExpanded();
}

QtNodes::QtNodes(QTreeWidget& widget) : widget_(&widget) {
    // Should the widget go first, its items go with it: the nodes must know.
    widgetGone_ = QObject::connect(&widget, &QObject::destroyed, [this] { ForgetAll(); });
}

QtNodes::~QtNodes() {
    QObject::disconnect(widgetGone_);
    Clear();
}

std::shared_ptr<QtNode> QtNodes::NodeOf(const QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    // Every item of the widget is a live node's: a node's item goes when the node does.
    auto* node = static_cast<QtNode*>(item->data(0, kNodeRole).value<void*>());
    if (!node) return nullptr;
    return std::static_pointer_cast<QtNode>(node->shared_from_this());
}

std::shared_ptr<QtNode> QtNodes::Selected() const {
    if (!widget_) return nullptr;
    const QList<QTreeWidgetItem*> selected = widget_->selectedItems();
    return selected.isEmpty() ? nullptr : NodeOf(selected.front());
}

std::shared_ptr<TreeNodeBase> QtNodes::MakeNode(std::u16string key, std::u16string text) {
    return std::make_shared<QtNode>(std::move(key), std::move(text));
}

QTreeWidgetItem* QtNodes::MakeItem(QtNode& node) {
    node.item_ = new QTreeWidgetItem(QStringList{Q(node.Text())});
    node.item_->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(&node)));
    return node.item_;
}

void QtNodes::Show(TreeNodeBase& node, TreeNodeBase* parent, std::size_t position) {
    if (!widget_) err::RaiseElementNotFound();
    QTreeWidgetItem* item = MakeItem(static_cast<QtNode&>(node));
    const int at = static_cast<int>(position);
    if (parent) return static_cast<QtNode*>(parent)->item_->insertChild(at, item);
    widget_->insertTopLevelItem(at, item);
}

void QtNodes::ShowChildren(std::span<const std::shared_ptr<TreeNodeBase>> nodes,
                           TreeNodeBase* parent, std::size_t position) {
    if (!widget_) err::RaiseElementNotFound();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(nodes.size()));
    for (const auto& node : nodes) items.append(MakeItem(static_cast<QtNode&>(*node)));
    const int at = static_cast<int>(position);
    if (parent) return static_cast<QtNode*>(parent)->item_->insertChildren(at, items);
    widget_->insertTopLevelItems(at, items);
}

void QtNodes::ShowText(TreeNodeBase& node) {
    static_cast<QtNode&>(node).item_->setText(0, Q(node.Text()));
}

void QtNodes::Unshow(TreeNodeBase& top) {
    QTreeWidgetItem* item = static_cast<QtNode&>(top).item_;
    Deselect(*item);
    delete item;  // takes its children with it
}

void QtNodes::Deselect(QTreeWidgetItem& top) {
    if (!widget_) return;
    QItemSelectionModel* selection = widget_->selectionModel();
    if (IsWithin(widget_->currentItem(), top)) {
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    const QList<QTreeWidgetItem*> selected = widget_->selectedItems();
    if (std::any_of(selected.begin(), selected.end(),
                    [&](const QTreeWidgetItem* item) { return IsWithin(item, top); })) {
        widget_->clearSelection();
    }
}

void QtNodes::UnshowAll() {
    if (widget_) widget_->clear();
}

}  // namespace mundor::ui::qt
