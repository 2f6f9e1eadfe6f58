// The tree control on an ExpandingTreeWidget. The user's request to open a node reaches the
// logic's OnExpand while the node is still closed; the node opens after the handler, if it has
// children then. Closing a node moves a selection hidden below it up to the node.
#pragma once

#include <QMetaObject>

#include "contracts/ui/tree.h"
#include "ui/qt/control_host.h"
#include "ui/qt/expanding_tree_widget.h"
#include "ui/qt/tree_nodes.h"

namespace mundor::ui::qt {

class QtTree final : public Tree, public WidgetBacked {
  public:
    QtTree(const ControlDefinition& definition, ControlHost& host, QWidget& parent);
    ~QtTree() override;
    QtTree(const QtTree&) = delete;
    QtTree& operator=(const QtTree&) = delete;

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { widget_->setFocus(Qt::OtherFocusReason); }
    TreeNodes& Nodes() override { return nodes_; }
    const TreeNodes& Nodes() const override { return nodes_; }
    NodeRef SelectedItem() const override { return nodes_.Selected(); }

    QWidget& widget() const override { return *widget_; }

  private:
    void OnExpandRequest(QTreeWidgetItem& item);
    void OnCollapsed(QTreeWidgetItem& item);

    const ControlDefinition& definition_;
    ControlHost& host_;
    ExpandingTreeWidget* widget_;  // owned by the window's widget
    QtNodes nodes_;
    QMetaObject::Connection collapsed_;
};

}  // namespace mundor::ui::qt
