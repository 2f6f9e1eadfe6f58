#include "browser/fill_tree.h"

#include <optional>
#include <string>

#include "browser/catalog_by_name.h"
#include "browser/node_scheme.h"
#include "browser/placeholder.h"
#include "common/caught_error.h"
#include "contracts/ui/message_box.h"
#include "runtime/text.h"

namespace mundor::browser {

namespace {

std::u16string FillErrorText(const rt::RuntimeError& error) {
    return u"Error " + rt::DecimalText(error.number()) + u" (" +
           error.description() + u") in procedure FillLvw of Módulo de clase clsMngProcs";
}

// Runs one step of the fill. An error is shown and the fill goes on; false tells the caller that
// the step did not happen.
template <class Step>
bool Attempt(const rt::AppObject& app, Step&& step) {
    try {
        step();
        return true;
    } catch (...) {
        const rt::RuntimeError error = common::CaughtError();
        ui::MsgBox(app, FillErrorText(error), ui::vbOKOnly);
        return false;
    }
}

ui::NodeRef AddCountryNode(ui::TreeNodes& nodes, const ViewRows& rows) {
    const std::u16string sysGuid = ConcatenatedText(rows.Field(u"Sys_GUID"));
    const std::u16string codigoTel = ConcatenatedText(rows.Field(u"codigoTel"));
    const std::u16string nombre = ConcatenatedText(rows.Field(u"Nombre"));
    return nodes.Add(nullptr, ui::tvwLast, NodeKey(kCountryPrefix, sysGuid),
                     CountryNodeText(codigoTel, nombre));
}

void AddCountryRow(const rt::AppObject& app, ui::TreeNodes& nodes, const ViewRows& rows) {
    ui::NodeRef country;
    Attempt(app, [&] { country = AddCountryNode(nodes, rows); });
    // A refused row leaves nothing but its message: no placeholder without its country.
    if (country) Attempt(app, [&] { AddPlaceholder(nodes, country); });
}

void AddCountryRows(const rt::AppObject& app, ui::TreeNodes& nodes, ViewRows& rows) {
    for (;;) {
        bool atEnd = true;
        if (!Attempt(app, [&] { atEnd = rows.AtEnd(); }) || atEnd) return;
        AddCountryRow(app, nodes, rows);
        if (!Attempt(app, [&] { rows.MoveNext(); })) return;
    }
}

}  // namespace

void FillLvw(const rt::AppObject& app, IDispatch* thisFx, ui::Tree& tvw) {
    ui::TreeNodes& nodes = tvw.Nodes();
    Attempt(app, [&] { nodes.Clear(); });
    std::optional<ViewRows> rows;
    if (!Attempt(app, [&] { rows.emplace(CountryRows(thisFx)); })) return;
    AddCountryRows(app, nodes, *rows);
}

}  // namespace mundor::browser
