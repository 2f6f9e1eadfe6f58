#include "browser/expand_node.h"

#include <string>
#include <string_view>
#include <vector>

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

ui::TreeNodes::NewNode NodeOfRow(const ChildRows& children) {
    return {NodeKey(children.prefix, ConcatenatedText(children.rows.Field(u"Sys_GUID"))),
            FieldText(children.rows.Field(u"Nombre"))};
}

// Each state gets its placeholder right after it, as the level's rows come.
void AppendStates(ui::TreeNodes& nodes, const ui::NodeRef& parent, ChildRows& states) {
    for (; !states.rows.AtEnd(); states.rows.MoveNext()) {
        ui::TreeNodes::NewNode state = NodeOfRow(states);
        AddPlaceholder(nodes, nodes.Add(parent, ui::tvwChild, state.key, state.text));
    }
}

// Cities, which may be many, are read first and added in one step. Should a read fail, the
// cities before it are added all the same and the error passes on, as row by row.
void AppendCities(ui::TreeNodes& nodes, const ui::NodeRef& parent, ChildRows& cities) {
    std::vector<ui::TreeNodes::NewNode> read;
    try {
        for (; !cities.rows.AtEnd(); cities.rows.MoveNext()) read.push_back(NodeOfRow(cities));
    } catch (...) {
        nodes.AddChildren(parent, std::move(read));
        throw;
    }
    nodes.AddChildren(parent, std::move(read));
}

void AppendChildren(ui::TreeNodes& nodes, const ui::NodeRef& parent, ChildRows& children) {
    if (children.prefix == kStatePrefix) return AppendStates(nodes, parent, children);
    AppendCities(nodes, parent, children);
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
