#include "browser/placeholder.h"

namespace mundor::browser {

void AddPlaceholder(ui::TreeNodes& nodes, const ui::NodeRef& parent) {
    nodes.Add(parent, ui::tvwChild, u"", u"");
}

bool IsUnloaded(const ui::NodeRef& node) {
    return node->Children() == 1 && node->Child()->Text().empty();
}

}  // namespace mundor::browser
