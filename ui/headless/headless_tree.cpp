#include "ui/headless/headless_tree.h"

namespace mundor::ui::headless {

bool HeadlessNode::Expanded() const {
    CheckAlive();
    return expanded_;
}

void HeadlessNode::SetExpanded(bool expanded) {
    CheckAlive();
    expanded_ = expanded;
}

bool HeadlessNode::OnScreen() const {
    for (auto above = ParentNode(); above; above = above->ParentNode()) {
        if (!static_cast<const HeadlessNode&>(*above).expanded_) return false;
    }
    return !removed();
}

std::shared_ptr<TreeNodeBase> HeadlessNodes::MakeNode(std::u16string key, std::u16string text) {
    return std::make_shared<HeadlessNode>(std::move(key), std::move(text));
}

void HeadlessNodes::Unshow(TreeNodeBase& top) {
    if (selected_ && selected_->IsWithin(top)) selected_.reset();
}

void HeadlessTree::Collapse(HeadlessNode& node) {
    node.SetExpanded(false);
    const auto& selected = nodes_.selected();
    if (selected && selected->IsWithin(node)) {
        nodes_.Select(std::static_pointer_cast<HeadlessNode>(node.shared_from_this()));
    }
}

}  // namespace mundor::ui::headless
