#include "ui/qt/tree_nodes.h"

#include <algorithm>

#include "contracts/ui/ui_errors.h"

namespace mundor::ui::qt {

namespace {

QString Q(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem& top) {
    for (; item; item = item->parent()) {
        if (item == &top) return true;
    }
    return false;
}

}  // namespace

// --- QtNode ---

void QtNode::CheckAlive() const {
    if (removed()) err::RaiseNodeRemoved();
}

std::u16string QtNode::Key() const {
    CheckAlive();
    return key_;
}

std::u16string QtNode::Text() const {
    CheckAlive();
    return item_->text(0).toStdU16String();
}

void QtNode::SetText(std::u16string_view text) {
    CheckAlive();
    item_->setText(0, Q(text));
}

LONG QtNode::Index() const {
    CheckAlive();
    return index_;
}

LONG QtNode::Children() const {
    CheckAlive();
    return item_->childCount();
}

NodeRef QtNode::Child() const {
    CheckAlive();
    return nodes_->NodeOf(item_->child(0));
}

NodeRef QtNode::Parent() const {
    CheckAlive();
    return nodes_->NodeOf(item_->parent());
}

NodeRef QtNode::Next() const {
    CheckAlive();
    return nodes_->NodeOf(nodes_->NextSibling(*item_));
}

std::vector<NodeRef> QtNode::ChildNodes() const {
    CheckAlive();
    std::vector<NodeRef> children;
    children.reserve(static_cast<std::size_t>(item_->childCount()));
    for (int i = 0; i < item_->childCount(); ++i)
        children.push_back(nodes_->NodeOf(item_->child(i)));
    return children;
}

bool QtNode::Expanded() const {
    CheckAlive();
    return item_->isExpanded();
}

// --- QtNodes ---

QtNodes::QtNodes(QTreeWidget& widget) : widget_(&widget) {
    // Should the widget go first, its items go with it: the nodes must know.
    widgetGone_ = QObject::connect(&widget, &QObject::destroyed, [this] { MarkAllRemoved(); });
}

QtNodes::~QtNodes() {
    QObject::disconnect(widgetGone_);
    // Handles the logic still holds must not reach this collection once it is gone.
    Clear();
}

std::shared_ptr<QtNode> QtNodes::NodeOf(const QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    const auto found = nodesByItem_.find(item);
    if (found == nodesByItem_.end()) return nullptr;
    return found->second->shared_from_this();
}

std::shared_ptr<QtNode> QtNodes::Selected() const {
    if (!widget_) return nullptr;
    const QList<QTreeWidgetItem*> selected = widget_->selectedItems();
    return selected.isEmpty() ? nullptr : NodeOf(selected.front());
}

QTreeWidgetItem* QtNodes::NextSibling(const QTreeWidgetItem& item) const {
    if (QTreeWidgetItem* parent = item.parent()) {
        return parent->child(parent->indexOfChild(const_cast<QTreeWidgetItem*>(&item)) + 1);
    }
    if (!widget_) return nullptr;
    return widget_->topLevelItem(widget_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(&item)) +
                                 1);
}

std::shared_ptr<QtNode> QtNodes::OwnNode(const NodeRef& node) const {
    auto own = std::dynamic_pointer_cast<QtNode>(node);
    if (!own || own->nodes_ != this) err::RaiseElementNotFound();
    return own;
}

NodeRef QtNodes::Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                     std::u16string_view text) {
    std::shared_ptr<QtNode> parentOrSibling;
    if (relative) parentOrSibling = OwnNode(relative);
    if (parentOrSibling && (relationship < tvwFirst || relationship > tvwChild)) {
        err::RaiseInvalidCall(u"relación de nodo desconocida");
    }
    if (!key.empty() && keys_.contains(std::u16string(key))) err::RaiseKeyNotUnique();
    if (!widget_) err::RaiseElementNotFound();

    auto* item = new QTreeWidgetItem(QStringList{Q(text)});
    Place(item, parentOrSibling, relationship);
    auto node = std::make_shared<QtNode>(*this, *item, key);
    order_.push_back(node);
    node->index_ = Count();
    nodesByItem_.emplace(item, node.get());
    if (!key.empty()) keys_.emplace(node->key_, node.get());
    return node;
}

void QtNodes::Place(QTreeWidgetItem* item, const std::shared_ptr<QtNode>& relative,
                    LONG relationship) {
    if (!relative) return widget_->addTopLevelItem(item);
    QTreeWidgetItem& beside = *relative->item_;
    if (relationship == tvwChild) return beside.addChild(item);

    QTreeWidgetItem* parent = beside.parent();
    const int count = parent ? parent->childCount() : widget_->topLevelItemCount();
    const int at = parent ? parent->indexOfChild(&beside) : widget_->indexOfTopLevelItem(&beside);
    int position = count;
    if (relationship == tvwFirst) position = 0;
    if (relationship == tvwNext) position = at + 1;
    if (relationship == tvwPrevious) position = at;
    if (parent) return parent->insertChild(position, item);
    widget_->insertTopLevelItem(position, item);
}

void QtNodes::Remove(LONG index) {
    if (index < 1 || index > Count()) err::RaiseIndexOutOfBounds();
    QTreeWidgetItem* top = order_[static_cast<std::size_t>(index - 1)]->item_;
    Deselect(*top);
    MarkRemoved(*top);
    std::erase_if(order_, [](const auto& node) { return node->removed(); });
    Renumber();
    delete top;  // takes its children with it
}

void QtNodes::Deselect(QTreeWidgetItem& top) {
    // Nothing is selected after the selected node goes; the widget would pick a neighbour.
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

void QtNodes::MarkRemoved(QTreeWidgetItem& top) {
    std::vector<QTreeWidgetItem*> pending{&top};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        for (int i = 0; i < item->childCount(); ++i) pending.push_back(item->child(i));
        const auto found = nodesByItem_.find(item);
        if (found == nodesByItem_.end()) continue;
        QtNode& node = *found->second;
        if (!node.key_.empty()) keys_.erase(node.key_);
        node.nodes_ = nullptr;
        node.item_ = nullptr;
        nodesByItem_.erase(found);
    }
}

void QtNodes::Renumber() {
    LONG index = 0;
    for (const auto& node : order_) node->index_ = ++index;
}

void QtNodes::Clear() {
    MarkAllRemoved();
    if (widget_) widget_->clear();
}

void QtNodes::MarkAllRemoved() {
    for (const auto& node : order_) {
        node->nodes_ = nullptr;
        node->item_ = nullptr;
    }
    order_.clear();
    keys_.clear();
    nodesByItem_.clear();
}

NodeRef QtNodes::Item(LONG index) const {
    if (index < 1 || index > Count()) err::RaiseIndexOutOfBounds();
    return order_[static_cast<std::size_t>(index - 1)];
}

NodeRef QtNodes::Item(std::u16string_view key) const {
    NodeRef found = Find(key);
    if (!found) err::RaiseElementNotFound();
    return found;
}

NodeRef QtNodes::Find(std::u16string_view key) const {
    if (key.empty()) return nullptr;
    const auto found = keys_.find(std::u16string(key));
    if (found == keys_.end()) return nullptr;
    return found->second->shared_from_this();
}

std::vector<NodeRef> QtNodes::Roots() const {
    std::vector<NodeRef> roots;
    if (!widget_) return roots;
    for (int i = 0; i < widget_->topLevelItemCount(); ++i) {
        roots.push_back(NodeOf(widget_->topLevelItem(i)));
    }
    return roots;
}

}  // namespace mundor::ui::qt
