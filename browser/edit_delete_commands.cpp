#include "browser/edit_delete_commands.h"

#include <optional>
#include <string>

#include "browser/commands_by_name.h"
#include "contracts/ui/message_box.h"

namespace mundor::browser {

namespace {

// The node the command works on; none after telling the user to select one.
ui::NodeRef SelectedOrPrompt(const CommandContext& context, std::u16string_view prompt,
                             std::u16string_view title) {
    ui::NodeRef node = context.tvw.SelectedItem();
    if (!node) ui::MsgBox(context.app, prompt, ui::vbInformation, title);
    return node;
}

}  // namespace

void EditSelected(const CommandContext& context) {
    const ui::NodeRef node =
        SelectedOrPrompt(context, u"Seleccione el Pais, Estado o Ciudad a modificar",
                         u"Modificar Pais/Estado/Ciudad");
    if (!node) return;
    const std::u16string key = node->Key();
    const NodeLevel level = LevelOfKey(key);
    rt::Variant obj(LoadFromKey(context.thisFx, level, key));
    std::optional<LONG> parentKey;
    if (level != NodeLevel::Country) {
        parentKey = ParentSysPkOf(level, obj.AsDispatch().get());
    }
    if (!LaunchDialog(context.thisFx, level, obj, parentKey)) return;
    node->SetText(NodeTextOf(level, obj.AsDispatch().get()));
}

void DelSelected(const CommandContext& context) {
    const ui::NodeRef node = SelectedOrPrompt(
        context, u"Seleccione el Pais, Estado o Ciudad a eliminar", u"Eliminar Pais/Estado/Ciudad");
    if (!node) return;
    if (node->Children() > 0) {
        ui::MsgBox(context.app, u"El elemento a eliminar no esta vacio", ui::vbCritical,
                   context.app.Title);
        return;
    }
    const std::u16string key = node->Key();
    const NodeLevel level = LevelOfKey(key);
    rt::Variant obj(LoadFromKey(context.thisFx, level, key));
    if (!DeleteThroughFacade(context.thisFx, level, obj)) return;
    context.tvw.Nodes().Remove(node->Index());
}

}  // namespace mundor::browser
