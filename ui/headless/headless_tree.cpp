#include "ui/headless/headless_tree.h"

#include <algorithm>

#include "contracts/ui/ui_errors.h"

namespace mundor::ui::headless {

// --- HeadlessNode ---

void HeadlessNode::CheckAlive() const {
    if (removed_) err::RaiseNodeRemoved();
}

std::u16string HeadlessNode::Key() const {
    CheckAlive();
    return key_;
}

std::u16string HeadlessNode::Text() const {
    CheckAlive();
    return text_;
}

void HeadlessNode::SetText(std::u16string_view text) {
    CheckAlive();
    text_ = text;
}

LONG HeadlessNode::Index() const {
    CheckAlive();
    return index_;
}

LONG HeadlessNode::Children() const {
    CheckAlive();
    return static_cast<LONG>(children_.size());
}

NodeRef HeadlessNode::Child() const {
    CheckAlive();
    if (children_.empty()) return nullptr;
    return children_.front();
}

NodeRef HeadlessNode::Parent() const {
    CheckAlive();
    return parent_.lock();
}

const std::vector<std::shared_ptr<HeadlessNode>>& HeadlessNode::Siblings() const {
    if (const auto parent = parent_.lock()) return parent->children_;
    return nodes_->roots_;
}

NodeRef HeadlessNode::Next() const {
    CheckAlive();
    const auto& siblings = Siblings();
    const auto self = std::find(siblings.begin(), siblings.end(), shared_from_this());
    if (self == siblings.end() || self + 1 == siblings.end()) return nullptr;
    return *(self + 1);
}

std::vector<NodeRef> HeadlessNode::ChildNodes() const {
    CheckAlive();
    return {children_.begin(), children_.end()};
}

bool HeadlessNode::Expanded() const {
    CheckAlive();
    return expanded_;
}

bool HeadlessNode::OnScreen() const {
    for (auto above = parent_.lock(); above; above = above->parent_.lock()) {
        if (!above->expanded_) return false;
    }
    return !removed_;
}

void HeadlessNode::SetExpanded(bool expanded) {
    CheckAlive();
    expanded_ = expanded;
}

bool HeadlessNode::IsBelow(const HeadlessNode& ancestor) const {
    for (auto above = parent_.lock(); above; above = above->parent_.lock()) {
        if (above.get() == &ancestor) return true;
    }
    return false;
}

// --- HeadlessNodes ---

HeadlessNodes::~HeadlessNodes() {
    // Handles the logic still holds must not reach this collection once it is gone.
    Clear();
}

std::shared_ptr<HeadlessNode> HeadlessNodes::OwnNode(const NodeRef& node) const {
    auto own = std::dynamic_pointer_cast<HeadlessNode>(node);
    if (!own || own->removed_ || own->nodes_ != this) err::RaiseElementNotFound();
    return own;
}

NodeRef HeadlessNodes::Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                           std::u16string_view text) {
    std::shared_ptr<HeadlessNode> parentOrSibling;
    if (relative) parentOrSibling = OwnNode(relative);
    if (parentOrSibling && (relationship < tvwFirst || relationship > tvwChild)) {
        err::RaiseInvalidCall(u"relación de nodo desconocida");
    }
    if (!key.empty() && keys_.contains(std::u16string(key))) err::RaiseKeyNotUnique();

    auto node = std::make_shared<HeadlessNode>(*this, key, text);
    Place(node, parentOrSibling, relationship);
    order_.push_back(node);
    node->index_ = Count();
    if (!key.empty()) keys_.emplace(node->key_, node.get());
    return node;
}

void HeadlessNodes::Place(const std::shared_ptr<HeadlessNode>& node,
                          const std::shared_ptr<HeadlessNode>& relative, LONG relationship) {
    if (!relative) {
        roots_.push_back(node);
        return;
    }
    if (relationship == tvwChild) {
        node->parent_ = relative;
        relative->children_.push_back(node);
        return;
    }
    node->parent_ = relative->parent_;
    const auto parent = relative->parent_.lock();
    auto& siblings = parent ? parent->children_ : roots_;
    const auto at = std::find(siblings.begin(), siblings.end(), relative);
    switch (relationship) {
        case tvwFirst:
            siblings.insert(siblings.begin(), node);
            break;
        case tvwLast:
            siblings.push_back(node);
            break;
        case tvwNext:
            siblings.insert(at + 1, node);
            break;
        case tvwPrevious:
            siblings.insert(at, node);
            break;
        default:
            break;
    }
}

void HeadlessNodes::Remove(LONG index) {
    if (index < 1 || index > Count()) err::RaiseIndexOutOfBounds();
    const std::shared_ptr<HeadlessNode> top = order_[static_cast<std::size_t>(index - 1)];
    const auto parent = top->parent_.lock();
    auto& siblings = parent ? parent->children_ : roots_;
    std::erase(siblings, top);
    MarkRemoved(*top);
    std::erase_if(order_, [](const auto& node) { return node->removed_; });
    Renumber();
}

void HeadlessNodes::MarkRemoved(HeadlessNode& top) {
    if (selected_ && (selected_.get() == &top || selected_->IsBelow(top))) selected_.reset();
    std::vector<HeadlessNode*> pending{&top};
    while (!pending.empty()) {
        HeadlessNode* node = pending.back();
        pending.pop_back();
        for (const auto& child : node->children_) pending.push_back(child.get());
        if (!node->key_.empty()) keys_.erase(node->key_);
        node->removed_ = true;
        node->nodes_ = nullptr;
    }
}

void HeadlessNodes::Renumber() {
    LONG index = 0;
    for (const auto& node : order_) node->index_ = ++index;
}

void HeadlessNodes::Clear() {
    for (const auto& node : order_) {
        node->removed_ = true;
        node->nodes_ = nullptr;
    }
    roots_.clear();
    order_.clear();
    keys_.clear();
    selected_.reset();
}

NodeRef HeadlessNodes::Item(LONG index) const {
    if (index < 1 || index > Count()) err::RaiseIndexOutOfBounds();
    return order_[static_cast<std::size_t>(index - 1)];
}

NodeRef HeadlessNodes::Item(std::u16string_view key) const {
    NodeRef found = Find(key);
    if (!found) err::RaiseElementNotFound();
    return found;
}

NodeRef HeadlessNodes::Find(std::u16string_view key) const {
    if (key.empty()) return nullptr;
    const auto found = keys_.find(std::u16string(key));
    if (found == keys_.end()) return nullptr;
    return found->second->shared_from_this();
}

std::vector<NodeRef> HeadlessNodes::Roots() const {
    return {roots_.begin(), roots_.end()};
}

// --- HeadlessTree ---

void HeadlessTree::Collapse(HeadlessNode& node) {
    node.SetExpanded(false);
    const auto selected = nodes_.selected();
    if (selected && selected->IsBelow(node)) nodes_.Select(node.shared_from_this());
}

}  // namespace mundor::ui::headless
