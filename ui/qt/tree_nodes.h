// The tree's nodes on a QTreeWidget: the shared node bookkeeping, with one widget item per node
// placed where the node stands, its text shown on the item and its open state the item's own.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include <QMetaObject>
#include <QPointer>
#include <QTreeWidget>

#include "contracts/ui/tree_base.h"

namespace mundor::ui::qt {

class QtNode final : public TreeNodeBase {
  public:
    using TreeNodeBase::TreeNodeBase;

    bool Expanded() const override;
    // The node's item; only while the node is not removed.
    QTreeWidgetItem& item() const { return *item_; }

  private:
    friend class QtNodes;
    QTreeWidgetItem* item_ = nullptr;  // owned by the widget
};

class QtNodes final : public TreeNodesBase {
  public:
    explicit QtNodes(QTreeWidget& widget);
    ~QtNodes();
    QtNodes(const QtNodes&) = delete;
    QtNodes& operator=(const QtNodes&) = delete;

    // The node an item shows; empty for an item that is not one of this tree's nodes.
    std::shared_ptr<QtNode> NodeOf(const QTreeWidgetItem* item) const;
    // The node the user selected, or empty.
    std::shared_ptr<QtNode> Selected() const;

  private:
    std::shared_ptr<TreeNodeBase> MakeNode(std::u16string key, std::u16string text) override;
    void Show(TreeNodeBase& node, TreeNodeBase* parent, std::size_t position) override;
    // One insertion into the widget for the whole level: the view lays its rows out once.
    void ShowChildren(std::span<const std::shared_ptr<TreeNodeBase>> nodes, TreeNodeBase* parent,
                      std::size_t position) override;
    void ShowText(TreeNodeBase& node) override;
    void Unshow(TreeNodeBase& top) override;
    void UnshowAll() override;
    // The widget item that shows a new node, not yet placed.
    static QTreeWidgetItem* MakeItem(QtNode& node);
    // Nothing is selected after the selected node goes; the widget would pick a neighbour.
    void Deselect(QTreeWidgetItem& top);

    QPointer<QTreeWidget> widget_;
    QMetaObject::Connection widgetGone_;
};

}  // namespace mundor::ui::qt
