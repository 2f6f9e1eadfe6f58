// The in-memory tree: nodes in a collection ordered by addition (their Index), roots and children
// in their shown order, keys unique across the tree. Removing a node marks it and everything
// below it as removed, so a handle still held by the logic raises 35605 instead of dangling.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "contracts/ui/tree.h"
#include "ui/headless/headless_controls.h"

namespace mundor::ui::headless {

class HeadlessNodes;

class HeadlessNode final : public TreeNode, public std::enable_shared_from_this<HeadlessNode> {
  public:
    HeadlessNode(HeadlessNodes& nodes, std::u16string_view key, std::u16string_view text)
        : nodes_(&nodes), key_(key), text_(text) {}

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

    bool removed() const { return removed_; }
    // Shown on screen: every node above it is expanded.
    bool OnScreen() const;
    void SetExpanded(bool expanded);
    bool IsBelow(const HeadlessNode& ancestor) const;

  private:
    friend class HeadlessNodes;
    void CheckAlive() const;
    // The list this node is one of: its parent's children, or the roots.
    const std::vector<std::shared_ptr<HeadlessNode>>& Siblings() const;

    HeadlessNodes* nodes_;  // never read once the node is removed
    std::u16string key_;
    std::u16string text_;
    LONG index_ = 0;
    bool removed_ = false;
    bool expanded_ = false;
    std::weak_ptr<HeadlessNode> parent_;
    std::vector<std::shared_ptr<HeadlessNode>> children_;
};

class HeadlessNodes final : public TreeNodes {
  public:
    HeadlessNodes() = default;
    ~HeadlessNodes();

    NodeRef Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                std::u16string_view text) override;
    void Remove(LONG index) override;
    void Clear() override;
    LONG Count() const override { return static_cast<LONG>(order_.size()); }
    NodeRef Item(LONG index) const override;
    NodeRef Item(std::u16string_view key) const override;
    NodeRef Find(std::u16string_view key) const override;
    std::vector<NodeRef> Roots() const override;

    const std::shared_ptr<HeadlessNode>& selected() const { return selected_; }
    void Select(std::shared_ptr<HeadlessNode> node) { selected_ = std::move(node); }

  private:
    friend class HeadlessNode;
    // The relative as one of this tree's live nodes; 35601 otherwise.
    std::shared_ptr<HeadlessNode> OwnNode(const NodeRef& node) const;
    void Place(const std::shared_ptr<HeadlessNode>& node,
               const std::shared_ptr<HeadlessNode>& relative, LONG relationship);
    void MarkRemoved(HeadlessNode& top);
    void Renumber();

    std::vector<std::shared_ptr<HeadlessNode>> roots_;
    std::vector<std::shared_ptr<HeadlessNode>> order_;  // Index - 1
    std::unordered_map<std::u16string, HeadlessNode*> keys_;
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
    HeadlessNodes& nodes() { return nodes_; }

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
