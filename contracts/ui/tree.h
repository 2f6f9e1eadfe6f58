// The tree control: a collection of nodes with unique keys (compared exactly, case included),
// ordered children and 1-based indexes in the order the nodes were added. A node is handed out as a
// shared handle; the same node always answers with the same handle, so handles compare equal
// exactly when they name the same node. A handle outlives its node safely: once the node is
// removed, every member of the handle raises the platform's "node removed" error (35605) instead of
// touching freed memory.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/ui/controls.h"
#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui {

class TreeNode;
using NodeRef = std::shared_ptr<TreeNode>;  // empty: no node

// Where Nodes.Add puts a node relative to another, with the platform's numbering.
enum Relationship : LONG {
    tvwFirst = 0,     // first among the relative's siblings
    tvwLast = 1,      // last among the relative's siblings
    tvwNext = 2,      // right after the relative
    tvwPrevious = 3,  // right before the relative
    tvwChild = 4,     // last child of the relative
};

class MUNDOR_API TreeNode {
  public:
    TreeNode() = default;
    virtual ~TreeNode() = default;
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    // Empty when the node was added without a key.
    virtual std::u16string Key() const = 0;
    virtual std::u16string Text() const = 0;
    virtual void SetText(std::u16string_view text) = 0;
    // Its 1-based place in the collection; later nodes move down when one before them goes.
    virtual LONG Index() const = 0;
    // The number of direct children.
    virtual LONG Children() const = 0;
    // The first child, the parent and the next sibling; empty when there is none.
    virtual NodeRef Child() const = 0;
    virtual NodeRef Parent() const = 0;
    virtual NodeRef Next() const = 0;
    // The direct children, in order.
    virtual std::vector<NodeRef> ChildNodes() const = 0;
    // Whether the node is shown open.
    virtual bool Expanded() const = 0;
};

class MUNDOR_API TreeNodes {
  public:
    TreeNodes() = default;
    TreeNodes(const TreeNodes&) = delete;
    TreeNodes& operator=(const TreeNodes&) = delete;

    // Adds a node. Without a relative it is appended as the last root, whatever the
    // relationship. A non-empty key already in the tree raises 35602 and adds nothing; a
    // relative that is not in this tree raises 35601.
    virtual NodeRef Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                        std::u16string_view text) = 0;
    // The key and text of a node for AddChildren.
    struct NewNode {
        std::u16string key;
        std::u16string text;
    };
    // Appends the nodes as the last children of `parent` (none: as the last roots), in order: what
    // Add does for each with the relationship tvwChild, in one step, for a whole level at once. A
    // key already in the tree, or earlier in the list, raises 35602 once the nodes before it are
    // added.
    virtual void AddChildren(const NodeRef& parent, std::vector<NewNode> nodes) = 0;
    // Removes the node at that index with everything below it; 35600 when out of range.
    virtual void Remove(LONG index) = 0;
    virtual void Clear() = 0;
    virtual LONG Count() const = 0;
    // The node at a 1-based index (35600 when out of range) or under a key (35601 when absent).
    virtual NodeRef Item(LONG index) const = 0;
    virtual NodeRef Item(std::u16string_view key) const = 0;
    // The node under a key, or empty: for callers that only ask.
    virtual NodeRef Find(std::u16string_view key) const = 0;
    // The root nodes, in order.
    virtual std::vector<NodeRef> Roots() const = 0;

  protected:
    ~TreeNodes() = default;
};

// The tree control. Its Expand event reaches the window's logic through FormEvents::OnExpand,
// before the node opens.
class MUNDOR_API Tree : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::Tree;

    virtual TreeNodes& Nodes() = 0;
    virtual const TreeNodes& Nodes() const = 0;
    // The selected node, or empty when none is selected.
    virtual NodeRef SelectedItem() const = 0;
};

}  // namespace mundor::ui
