#include "tree_outline.h"

#include "runtime/bstr.h"

namespace browser_test {

namespace {

namespace ui = mundor::ui;

// Lines for `node` and everything below it; `selected` is the selected node's key when the state
// is shown.
void AddLines(const ui::NodeRef& node, int depth, const std::u16string* selected,
              std::vector<std::string>& lines) {
    std::u16string key = node->Key();
    const std::u16string text = node->Text();
    const bool placeholder = key.empty() && text.empty();
    if (selected && node->Expanded()) key += u" [open]";
    if (selected && !placeholder && node->Key() == *selected) key += u" [selected]";
    lines.push_back(placeholder ? PlaceholderLine(depth) : Line(depth, key, text));
    for (const ui::NodeRef& child : node->ChildNodes()) AddLines(child, depth + 1, selected, lines);
}

}  // namespace

std::vector<std::string> Outline(const ui::Tree& tree, bool withState) {
    const ui::NodeRef selected = tree.SelectedItem();
    const std::u16string selectedKey = selected ? selected->Key() : u"";
    std::vector<std::string> lines;
    for (const ui::NodeRef& root : tree.Nodes().Roots()) {
        AddLines(root, 0, withState ? &selectedKey : nullptr, lines);
    }
    return lines;
}

std::string Line(int depth, std::u16string_view key, std::u16string_view text) {
    return std::string(static_cast<std::size_t>(depth) * 2, ' ') + mundor::rt::Utf16ToUtf8(key) +
           " | " + mundor::rt::Utf16ToUtf8(text);
}

std::string PlaceholderLine(int depth) {
    return std::string(static_cast<std::size_t>(depth) * 2, ' ') + "(placeholder)";
}

}  // namespace browser_test
