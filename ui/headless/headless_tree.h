// The in-memory tree: the shared node bookkeeping, with each node's open state and the selection
// kept in memory, as the scripted user changes them.
#pragma once

#include <memory>
#include <string_view>
#include <utility>

#include "contracts/ui/tree_base.h"
#include "ui/headless/headless_controls.h"

namespace mundor::ui::headless {

class HeadlessNode final : public TreeNodeBase {
  public:
    using TreeNodeBase::TreeNodeBase;

    bool Expanded() const override;
    void SetExpanded(bool expanded);
    // Shown on screen: every node above it is expanded.
    bool OnScreen() const;

  private:
    bool expanded_ = false;
};

class HeadlessNodes final : public TreeNodesBase {
  public:
    HeadlessNodes() = default;
    ~HeadlessNodes() = default;

    const std::shared_ptr<HeadlessNode>& selected() const { return selected_; }
    void Select(std::shared_ptr<HeadlessNode> node) { selected_ = std::move(node); }

  private:
    std::shared_ptr<TreeNodeBase> MakeNode(std::u16string key, std::u16string text) override;
    // A selection on or below the nodes that go goes with them.
    void Unshow(TreeNodeBase& top) override;
    void UnshowAll() override { selected_.reset(); }

    std::shared_ptr<HeadlessNode> selected_;
};

class HeadlessTree final : public Tree {
  public:
    HeadlessTree(const ControlDefinition& definition, FocusTarget& window)
        : definition_(definition), window_(window) {}

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { window_.MoveFocusTo(*this); }
    TreeNodes& Nodes() override { return nodes_; }
    const TreeNodes& Nodes() const override { return nodes_; }
    NodeRef SelectedItem() const override { return nodes_.selected(); }

    // What the user does with the mouse; the scripted user checks first that it can be done.
    void Select(std::shared_ptr<HeadlessNode> node) { nodes_.Select(std::move(node)); }
    // Closes a node; a selection below it moves up to it, as on screen.
    void Collapse(HeadlessNode& node);

  private:
    const ControlDefinition& definition_;
    FocusTarget& window_;
    HeadlessNodes nodes_;
};

}  // namespace mundor::ui::headless
