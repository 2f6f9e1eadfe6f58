// The bookkeeping of tree.h that every toolkit's tree does the same way, said once: nodes with
// their keys, texts, indexes in the order they were added, parents and children in their shown
// order, and handles that outlive their nodes. A toolkit derives its node and its collection from
// these and adds only what is its own: how a node shows (TreeNodesBase's hooks) and whether it is
// open (TreeNode::Expanded).
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "contracts/ui/tree.h"
#include "runtime/export.h"

namespace mundor::ui {

class TreeNodesBase;

class MUNDOR_API TreeNodeBase : public TreeNode, public std::enable_shared_from_this<TreeNodeBase> {
  public:
    TreeNodeBase(std::u16string key, std::u16string text)
        : key_(std::move(key)), text_(std::move(text)) {}

    std::u16string Key() const final;
    std::u16string Text() const final;
    void SetText(std::u16string_view text) final;
    LONG Index() const final;
    LONG Children() const final;
    NodeRef Child() const final;
    NodeRef Parent() const final;
    NodeRef Next() const final;
    std::vector<NodeRef> ChildNodes() const final;

    bool removed() const { return nodes_ == nullptr; }
    // Whether this is `top` or a node below it.
    bool IsWithin(const TreeNodeBase& top) const;
    std::shared_ptr<TreeNodeBase> ParentNode() const { return parent_.lock(); }

  protected:
    // Raises 35605 once the node is removed.
    void CheckAlive() const;

  private:
    friend class TreeNodesBase;
    // The list this node is one of: its parent's children, or the roots.
    const std::vector<std::shared_ptr<TreeNodeBase>>& Siblings() const;

    TreeNodesBase* nodes_ = nullptr;  // null until added, and again once removed
    std::u16string key_;
    std::u16string text_;
    LONG index_ = 0;
    std::weak_ptr<TreeNodeBase> parent_;
    std::vector<std::shared_ptr<TreeNodeBase>> children_;
};

class MUNDOR_API TreeNodesBase : public TreeNodes {
  public:
    NodeRef Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                std::u16string_view text) final;
    void AddChildren(const NodeRef& parent, std::vector<NewNode> nodes) final;
    void Remove(LONG index) final;
    void Clear() final;
    LONG Count() const final { return static_cast<LONG>(order_.size()); }
    NodeRef Item(LONG index) const final;
    NodeRef Item(std::u16string_view key) const final;
    NodeRef Find(std::u16string_view key) const final;
    std::vector<NodeRef> Roots() const final;

  protected:
    TreeNodesBase() = default;
    // Marks every node removed, so that handles the logic still holds cannot reach a collection
    // that is gone. The toolkit clears what it shows in its own destructor.
    ~TreeNodesBase();

    // Marks every node removed and forgets them, without a word to the toolkit: for when what
    // showed them is already gone.
    void ForgetAll();

    // The toolkit's node for a new entry.
    virtual std::shared_ptr<TreeNodeBase> MakeNode(std::u16string key, std::u16string text) = 0;
    // Shows a new node under `parent` (null: as a root) at `position` among its siblings, before
    // it is counted; an error raised here adds nothing.
    virtual void Show(TreeNodeBase& node, TreeNodeBase* parent, std::size_t position) {
        static_cast<void>(node);
        static_cast<void>(parent);
        static_cast<void>(position);
    }
    // Shows new nodes the same way, as the last children of `parent` from `position` on, all at
    // once: by default one by one.
    virtual void ShowChildren(std::span<const std::shared_ptr<TreeNodeBase>> nodes,
                              TreeNodeBase* parent, std::size_t position) {
        for (const auto& node : nodes) Show(*node, parent, position++);
    }
    virtual void ShowText(TreeNodeBase& node) { static_cast<void>(node); }
    // Takes `top` and everything below it off the screen, just before they are removed.
    virtual void Unshow(TreeNodeBase& top) = 0;
    // Takes every node off the screen, just before all of them are removed.
    virtual void UnshowAll() = 0;

  private:
    friend class TreeNodeBase;
    // The relative as one of this tree's live nodes; 35601 otherwise.
    std::shared_ptr<TreeNodeBase> OwnNode(const NodeRef& node) const;
    void MarkRemoved(TreeNodeBase& top);
    // Gives the nodes from that place in order_ on their indexes again.
    void Renumber(std::size_t from);

    std::vector<std::shared_ptr<TreeNodeBase>> roots_;
    std::vector<std::shared_ptr<TreeNodeBase>> order_;  // Index - 1
    // Viewing the keys the nodes hold: a node's key never changes, and its entry goes before it.
    std::unordered_map<std::u16string_view, TreeNodeBase*> keys_;
};

}  // namespace mundor::ui
