// The placeholder child: a node with no key and empty text that makes a country or state show
// as expandable before its children are read.
#pragma once

#include "contracts/ui/tree.h"

namespace mundor::browser {

// Adds a placeholder as the last child of `parent`.
void AddPlaceholder(ui::TreeNodes& nodes, const ui::NodeRef& parent);

// Unloaded: exactly one child, and that child's text is empty. A loaded node whose only child
// has an empty name counts as unloaded too, and is read again on its next expansion.
bool IsUnloaded(const ui::NodeRef& node);

}  // namespace mundor::browser
