#include "contracts/ui/tree_base.h"

#include <algorithm>

#include "contracts/ui/ui_errors.h"

namespace mundor::ui {

// --- TreeNodeBase ---

void TreeNodeBase::CheckAlive() const {
    if (removed()) err::RaiseNodeRemoved();
}

std::u16string TreeNodeBase::Key() const {
    CheckAlive();
    return key_;
}

std::u16string TreeNodeBase::Text() const {
    CheckAlive();
    return text_;
}

void TreeNodeBase::SetText(std::u16string_view text) {
    CheckAlive();
    text_ = text;
    nodes_->ShowText(*this);
}

LONG TreeNodeBase::Index() const {
    CheckAlive();
    return index_;
}

LONG TreeNodeBase::Children() const {
    CheckAlive();
    return static_cast<LONG>(children_.size());
}

NodeRef TreeNodeBase::Child() const {
    CheckAlive();
    if (children_.empty()) return nullptr;
    return children_.front();
}

NodeRef TreeNodeBase::Parent() const {
    CheckAlive();
    return parent_.lock();
}

const std::vector<std::shared_ptr<TreeNodeBase>>& TreeNodeBase::Siblings() const {
    if (const auto parent = parent_.lock()) return parent->children_;
    return nodes_->roots_;
}

NodeRef TreeNodeBase::Next() const {
    CheckAlive();
    const auto& siblings = Siblings();
    const auto self = std::find(siblings.begin(), siblings.end(), shared_from_this());
    if (self == siblings.end() || self + 1 == siblings.end()) return nullptr;
    return *(self + 1);
}

std::vector<NodeRef> TreeNodeBase::ChildNodes() const {
    CheckAlive();
    return {children_.begin(), children_.end()};
}

bool TreeNodeBase::IsWithin(const TreeNodeBase& top) const {
    for (const TreeNodeBase* node = this; node; node = node->parent_.lock().get()) {
        if (node == &top) return true;
    }
    return false;
}

// --- TreeNodesBase ---

TreeNodesBase::~TreeNodesBase() {
    ForgetAll();
}

std::shared_ptr<TreeNodeBase> TreeNodesBase::OwnNode(const NodeRef& node) const {
    auto own = std::dynamic_pointer_cast<TreeNodeBase>(node);
    if (!own || own->nodes_ != this) err::RaiseElementNotFound();
    return own;
}

NodeRef TreeNodesBase::Add(const NodeRef& relative, LONG relationship, std::u16string_view key,
                           std::u16string_view text) {
    std::shared_ptr<TreeNodeBase> beside;
    if (relative) beside = OwnNode(relative);
    if (beside && (relationship < tvwFirst || relationship > tvwChild)) {
        err::RaiseInvalidCall(u"relación de nodo desconocida");
    }
    if (!key.empty() && keys_.contains(key)) err::RaiseKeyNotUnique();

    std::shared_ptr<TreeNodeBase> parent;
    if (beside) parent = relationship == tvwChild ? beside : beside->parent_.lock();
    auto& siblings = parent ? parent->children_ : roots_;
    std::size_t position = siblings.size();
    if (beside && relationship != tvwChild && relationship != tvwLast) {
        const auto at = static_cast<std::size_t>(
            std::find(siblings.begin(), siblings.end(), beside) - siblings.begin());
        position = relationship == tvwFirst ? 0 : relationship == tvwNext ? at + 1 : at;
    }

    const std::shared_ptr<TreeNodeBase> node = MakeNode(std::u16string(key), std::u16string(text));
    node->nodes_ = this;
    Show(*node, parent.get(), position);
    node->parent_ = parent;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(position), node);
    order_.push_back(node);
    node->index_ = Count();
    if (!key.empty()) keys_.emplace(node->key_, node.get());
    return node;
}

void TreeNodesBase::AddChildren(const NodeRef& relative, std::vector<NewNode> nodes) {
    std::shared_ptr<TreeNodeBase> parent;
    if (relative) parent = OwnNode(relative);
    // Room for the whole level at once: the key table grows (and rehashes) once, not step by step.
    keys_.reserve(keys_.size() + nodes.size());
    std::vector<std::shared_ptr<TreeNodeBase>> made;
    made.reserve(nodes.size());
    bool keyTaken = false;
    for (NewNode& entry : nodes) {
        auto node = MakeNode(std::move(entry.key), std::move(entry.text));
        if (!node->key_.empty() && !keys_.try_emplace(node->key_, node.get()).second) {
            keyTaken = true;
            break;
        }
        node->nodes_ = this;
        made.push_back(std::move(node));
    }
    auto& siblings = parent ? parent->children_ : roots_;
    try {
        ShowChildren(made, parent.get(), siblings.size());
    } catch (...) {
        for (const auto& node : made) {
            if (!node->key_.empty()) keys_.erase(node->key_);
        }
        throw;
    }
    siblings.reserve(siblings.size() + made.size());
    order_.reserve(order_.size() + made.size());
    for (auto& node : made) {
        node->parent_ = parent;
        siblings.push_back(node);
        order_.push_back(std::move(node));
        order_.back()->index_ = Count();
    }
    if (keyTaken) err::RaiseKeyNotUnique();
}

void TreeNodesBase::Remove(LONG index) {
    if (index < 1 || index > Count()) err::RaiseIndexOutOfBounds();
    const auto from = order_.begin() + (index - 1);
    const std::shared_ptr<TreeNodeBase> top = *from;
    Unshow(*top);
    const auto parent = top->parent_.lock();
    std::erase(parent ? parent->children_ : roots_, top);
    MarkRemoved(*top);
    // A node is added after everything above it, so the nodes that go and the indexes that move
    // all lie from the top's index on; the nodes before it keep theirs.
    order_.erase(
        std::remove_if(from, order_.end(), [](const auto& node) { return node->removed(); }),
        order_.end());
    Renumber(static_cast<std::size_t>(index - 1));
}

void TreeNodesBase::MarkRemoved(TreeNodeBase& top) {
    std::vector<TreeNodeBase*> pending{&top};
    while (!pending.empty()) {
        TreeNodeBase* node = pending.back();
        pending.pop_back();
        for (const auto& child : node->children_) pending.push_back(child.get());
        if (!node->key_.empty()) keys_.erase(node->key_);
        node->nodes_ = nullptr;
    }
}

void TreeNodesBase::Renumber(std::size_t from) {
    for (std::size_t at = from; at < order_.size(); ++at) {
        order_[at]->index_ = static_cast<LONG>(at + 1);
    }
}

void TreeNodesBase::Clear() {
    UnshowAll();
    ForgetAll();
}

void TreeNodesBase::ForgetAll() {
    for (const auto& node : order_) node->nodes_ = nullptr;
    roots_.clear();
    order_.clear();
    keys_.clear();
}

NodeRef TreeNodesBase::Item(LONG index) const {
    if (index < 1 || index > Count()) err::RaiseIndexOutOfBounds();
    return order_[static_cast<std::size_t>(index - 1)];
}

NodeRef TreeNodesBase::Item(std::u16string_view key) const {
    NodeRef found = Find(key);
    if (!found) err::RaiseElementNotFound();
    return found;
}

NodeRef TreeNodesBase::Find(std::u16string_view key) const {
    if (key.empty()) return nullptr;
    const auto found = keys_.find(key);
    if (found == keys_.end()) return nullptr;
    return found->second->shared_from_this();
}

std::vector<NodeRef> TreeNodesBase::Roots() const {
    return {roots_.begin(), roots_.end()};
}

}  // namespace mundor::ui
