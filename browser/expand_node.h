// Lazy loading: a country's states or a state's cities are read the first time the user expands
// the node, with one record load and one view read; a loaded node is never read again.
#pragma once

#include "contracts/ui/tree.h"
#include "runtime/com_types.h"

namespace mundor::browser {

// The tree's Expand event. Does nothing unless `node` is unloaded (its only child has empty
// text). Otherwise loads the node's record from its key, takes the view of its children, removes
// the placeholder and appends one child per row; each new state gets a placeholder of its own.
// Catches nothing: an error of the library or of the tree leaves to the window's event handling.
void LoadChildrenOnExpand(IDispatch* thisFx, ui::Tree& tvw, const ui::NodeRef& node);

}  // namespace mundor::browser
