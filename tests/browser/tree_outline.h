// The geography tree as readable lines, for assertions and failure messages: one line per node,
// two spaces of indent per level, "key | text"; a placeholder child is "(placeholder)". With the
// state asked for, an open node's key is followed by " [open]" and the selected one's by
// " [selected]".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contracts/ui/tree.h"

namespace browser_test {

std::vector<std::string> Outline(const mundor::ui::Tree& tree, bool withState = false);

// The line one node gives at `depth` (0 for a root).
std::string Line(int depth, std::u16string_view key, std::u16string_view text);
std::string PlaceholderLine(int depth);

}  // namespace browser_test
