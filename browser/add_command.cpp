#include "browser/add_command.h"

#include <optional>
#include <string_view>

#include "browser/catalog_by_name.h"
#include "browser/commands_by_name.h"
#include "browser/level_members.h"
#include "browser/placeholder.h"
#include "common/caught_error.h"
#include "contracts/ui/message_box.h"
#include "runtime/log.h"
#include "runtime/registry.h"
#include "runtime/text.h"

namespace mundor::browser {

namespace {

// An add below the selected node: which level the new node is, which level its parent is, and
// the selection that is refused with its message.
struct ChildAdd {
    NodeLevel child;
    NodeLevel parent;
    NodeLevel refused;
    std::u16string_view refusal;
    std::u16string_view title;
};

constexpr ChildAdd kAddState{NodeLevel::State, NodeLevel::Country, NodeLevel::City,
                             u"Seleccione el Pais, al que desea agregar un estado",
                             u"Agregar Estado"};
constexpr ChildAdd kAddCity{NodeLevel::City, NodeLevel::State, NodeLevel::Country,
                            u"Seleccione el Estado, al que desea agregar una ciudad",
                            u"Agregar Ciudad"};

// Runs one step of an add. A step that fails is passed over: no message, only the log hears of
// it. False tells the caller that the step did not happen.
template <class Step>
bool PassOver(LONG buttonIndex, Step&& step) {
    try {
        step();
        return true;
    } catch (...) {
        const rt::RuntimeError error = common::CaughtError();
        rt::LogDroppedError("browser",
                            u"en un paso de cmdAction(" + rt::DecimalText(buttonIndex) + u")",
                            error.number(), error.description());
        return false;
    }
}

// A node a step needs: reaching through an empty one is the platform's object-not-set error.
const ui::NodeRef& Required(const ui::NodeRef& node) {
    if (!node) rt::RaiseObjectNotSet();
    return node;
}

// The launcher's step: a new record of `level` in an empty variable. The record once the user
// saved it; empty when the launcher answered False or its call failed.
template <class ParentKey>
rt::Ref<IDispatch> LaunchAdd(const CommandContext& context, LONG buttonIndex, NodeLevel level,
                             ParentKey&& parentKey) {
    rt::Variant obj = rt::Variant::Nothing();
    bool saved = false;
    PassOver(buttonIndex, [&] { saved = LaunchDialog(context.thisFx, level, obj, parentKey()); });
    return saved ? obj.AsDispatch() : nullptr;
}

void AddCountry(const CommandContext& context) {
    const rt::Ref<IDispatch> pais =
        LaunchAdd(context, 0, NodeLevel::Country, [] { return std::optional<LONG>(); });
    if (!pais) return;
    ui::TreeNodes& nodes = context.tvw.Nodes();
    ui::NodeRef country;
    PassOver(0, [&] {
        country = nodes.Add(nullptr, ui::tvwLast, NodeKeyOf(NodeLevel::Country, pais.get()),
                            NodeTextOf(NodeLevel::Country, pais.get()));
    });
    // No placeholder without its country.
    if (country) PassOver(0, [&] { AddPlaceholder(nodes, country); });
}

void AddChild(const CommandContext& context, LONG buttonIndex, const ChildAdd& add,
              const ui::NodeRef& selected) {
    std::optional<NodeLevel> selectedLevel;
    PassOver(buttonIndex, [&] { selectedLevel = LevelOfKey(selected->Key()); });
    if (!selectedLevel) return;
    if (*selectedLevel == add.refused) {
        PassOver(buttonIndex,
                 [&] { ui::MsgBox(context.app, add.refusal, ui::vbInformation, add.title); });
        return;
    }
    const bool parentSelected = *selectedLevel == add.parent;
    ui::NodeRef parent = parentSelected ? selected : nullptr;
    if (!parentSelected) PassOver(buttonIndex, [&] { parent = selected->Parent(); });

    const LevelMembers& parentMembers = MembersOf(add.parent);
    rt::Ref<IDispatch> parentRecord;
    PassOver(buttonIndex,
             [&] { parentRecord = rt::CreateInstance<IDispatch>(parentMembers.recordClass); });
    PassOver(buttonIndex, [&] {
        LoadByGuid(context.thisFx, parentRecord.get(),
                   IdentifierOfKey(Required(parent)->Key(), parentMembers.prefix));
    });
    const rt::Ref<IDispatch> record = LaunchAdd(context, buttonIndex, add.child, [&] {
        return std::optional<LONG>(SysPkOf(parentRecord.get()));
    });
    if (!record) return;

    ui::TreeNodes& nodes = context.tvw.Nodes();
    if (parentSelected) {
        // A parent never expanded counts as loaded from now on: its placeholder goes.
        PassOver(buttonIndex, [&] {
            if (IsUnloaded(parent)) nodes.Remove(parent->Child()->Index());
        });
    }
    PassOver(buttonIndex, [&] {
        nodes.Add(Required(parent), ui::tvwChild, NodeKeyOf(add.child, record.get()),
                  NodeTextOf(add.child, record.get()));
    });
}

}  // namespace

void AddFromButton(const CommandContext& context, const ui::Button& button) {
    const LONG index = button.Index();
    ui::NodeRef selected;
    PassOver(index, [&] { selected = context.tvw.SelectedItem(); });
    if ((index == 1 || index == 2) && !selected) {
        PassOver(index, [&] {
            ui::MsgBox(context.app, u"Seleccione un estado", ui::vbInformation, button.Caption());
        });
        return;
    }
    if (index == 0) return AddCountry(context);
    if (index == 1) return AddChild(context, index, kAddState, selected);
    if (index == 2) return AddChild(context, index, kAddCity, selected);
}

}  // namespace mundor::browser
