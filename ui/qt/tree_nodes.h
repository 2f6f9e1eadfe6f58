// The tree's nodes over a QTreeWidget: each node is one item, roots and children in the shown
// order are the widget's own, and the collection adds what the widget lacks: 1-based indexes in
// the order the nodes were added, unique keys, and handles that outlive their nodes. Removing a
// node marks it and everything below it as removed, so a handle the logic still holds raises
// 35605 instead of reaching a deleted item.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QPointer>
#include <QTreeWidget>

#include "contracts/ui/tree.h"

namespace mundor::ui::qt {

class QtNodes;

class QtNode final : public TreeNode, public std::enable_shared_from_this<QtNode> {
  public:
    QtNode(QtNodes& nodes, QTreeWidgetItem& item, std::u16string_view key)
        : nodes_(&nodes), item_(&item), key_(key) {}

    std::u16string Key() const override;
    std::u16string Text() const override;
    void SetText(std::u16string_view text) override;
    LONG Index() const override;
    LONG Children() const override;
    NodeRef Child() const override;
    NodeRef Parent() const override;
    NodeRef Next() const override;
    std::vector<NodeRef> ChildNodes() const override;
    bool Expanded() const override;

    bool removed() const { return nodes_ == nullptr; }
    // The node's item; only while the node is not removed.
    QTreeWidgetItem& item() const { return *item_; }

  private:
    friend class QtNodes;
    void CheckAlive() const;

    QtNodes* nodes_;         // null once removed
    QTreeWidgetItem* item_;  // null once removed
    std::u16string key_;
    LONG index_ = 0;
};

class QtNodes final : public TreeNodes {
  public:
    explicit QtNodes(QTreeWidget& widget);
    ~QtNodes();
    QtNodes(const QtNodes&) = delete;
    QtNodes& operator=(const QtNodes&) = delete;

    NodeRef Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                std::u16string_view text) override;
    void Remove(LONG index) override;
    void Clear() override;
    LONG Count() const override { return static_cast<LONG>(order_.size()); }
    NodeRef Item(LONG index) const override;
    NodeRef Item(std::u16string_view key) const override;
    NodeRef Find(std::u16string_view key) const override;
    std::vector<NodeRef> Roots() const override;

    // The node an item shows; empty for an item that is not one of this tree's nodes.
    std::shared_ptr<QtNode> NodeOf(const QTreeWidgetItem* item) const;
    // The node the user selected, or empty.
    std::shared_ptr<QtNode> Selected() const;
    // The item after `item` among its siblings, or null.
    QTreeWidgetItem* NextSibling(const QTreeWidgetItem& item) const;

  private:
    // The relative as one of this tree's live nodes; 35601 otherwise.
    std::shared_ptr<QtNode> OwnNode(const NodeRef& node) const;
    void Place(QTreeWidgetItem* item, const std::shared_ptr<QtNode>& relative, LONG relationship);
    void Deselect(QTreeWidgetItem& top);
    void MarkRemoved(QTreeWidgetItem& top);
    void Renumber();
    void MarkAllRemoved();

    QPointer<QTreeWidget> widget_;
    QMetaObject::Connection widgetGone_;
    std::vector<std::shared_ptr<QtNode>> order_;  // Index - 1
    std::unordered_map<std::u16string, QtNode*> keys_;
    std::unordered_map<const QTreeWidgetItem*, QtNode*> nodesByItem_;
};

}  // namespace mundor::ui::qt
