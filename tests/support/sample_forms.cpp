#include "sample_forms.h"

#include "browser/brw_paises_form.h"
#include "dialogs/dlg_pais.h"

namespace mundor::ui::testing {

FormDefinition SampleDialogForm(std::u16string name) {
    FormDefinition form = dialogs::PaisTraits::Form();
    form.name = std::move(name);
    return form;
}

FormDefinition SampleBrowserForm(std::u16string name) {
    FormDefinition form = browser::BrwPaisesForm();
    form.name = std::move(name);
    return form;
}

rt::AppObject SampleApp() {
    rt::AppObject app;
    app.Title = u"Mundor";
    return app;
}

const std::vector<Typing>& CodeFieldTypings() {
    static const std::vector<Typing> typings = {
        {u"mx", u"MX"},
        {u"ñabcdefghij", u"ÑABCDEFG"},
        {u"abcdefg\U0001F600", u"ABCDEFG"},  // the eighth unit would be half a character
        {u"straße", u"STRASSE"},             // full case mapping: one letter becomes two
        {u"ßßßßß", u"SSSSSSSS"},
    };
    return typings;
}

NodeRef AddSampleCountries(TreeNodes& nodes) {
    const NodeRef mexico = nodes.Add(nullptr, tvwChild, u"SysMX", u"(52) México");
    nodes.Add(mexico, tvwChild, u"", u"");  // the placeholder
    nodes.Add(nullptr, tvwChild, u"SysES", u"(34) España");
    return mexico;
}

void LoadSampleStates(Tree& expanded, const NodeRef& node) {
    if (node->Children() != 1 || !node->Child()->Text().empty()) return;
    expanded.Nodes().Remove(node->Child()->Index());
    expanded.Nodes().Add(node, tvwChild, u"EDOJAL", u"Jalisco");
    expanded.Nodes().Add(node, tvwChild, u"EDOCOL", u"Colima");
}

}  // namespace mundor::ui::testing
