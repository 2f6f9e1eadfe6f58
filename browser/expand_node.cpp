#include "browser/expand_node.h"

#include <string>
#include <string_view>

#include "browser/catalog_by_name.h"
#include "browser/commands_by_name.h"
#include "browser/node_scheme.h"
#include "browser/placeholder.h"

namespace mundor::browser {

namespace {

// The rows of a node's children and the key prefix they get.
struct ChildRows {
    ViewRows rows;
    std::u16string_view prefix;
};

ChildRows StatesOfCountry(IDispatch* thisFx, std::u16string_view countryKey) {
    const rt::Ref<IDispatch> pais = LoadFromKey(thisFx, NodeLevel::Country, countryKey);
    return {StateRows(thisFx, SysPkOf(pais.get())), kStatePrefix};
}

ChildRows CitiesOfState(IDispatch* thisFx, std::u16string_view stateKey) {
    const rt::Ref<IDispatch> edoProv = LoadFromKey(thisFx, NodeLevel::State, stateKey);
    return {CityRows(thisFx, SysPkOf(edoProv.get())), kCityPrefix};
}

// Only countries are told apart; any other node that gets here is taken for a state.
ChildRows ChildRowsOf(IDispatch* thisFx, std::u16string_view key) {
    if (LevelOfKey(key) == NodeLevel::Country) return StatesOfCountry(thisFx, key);
    return CitiesOfState(thisFx, key);
}

void AppendChildren(ui::TreeNodes& nodes, const ui::NodeRef& parent, ChildRows& children) {
    const bool childrenAreStates = children.prefix == kStatePrefix;
    for (ViewRows& rows = children.rows; !rows.AtEnd(); rows.MoveNext()) {
        const std::u16string key =
            NodeKey(children.prefix, ConcatenatedText(rows.Field(u"Sys_GUID")));
        const ui::NodeRef child =
            nodes.Add(parent, ui::tvwChild, key, rows.Field(u"Nombre").AsString());
        if (childrenAreStates) AddPlaceholder(nodes, child);
    }
}

}  // namespace

void LoadChildrenOnExpand(IDispatch* thisFx, ui::Tree& tvw, const ui::NodeRef& node) {
    if (!IsUnloaded(node)) return;
    // The view is taken before the placeholder goes: a failed read leaves the node as it was.
    ChildRows children = ChildRowsOf(thisFx, node->Key());
    ui::TreeNodes& nodes = tvw.Nodes();
    nodes.Remove(node->Child()->Index());
    AppendChildren(nodes, node, children);
}

}  // namespace mundor::browser
