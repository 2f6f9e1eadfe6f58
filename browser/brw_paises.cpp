#include "browser/brw_paises.h"

#include <string>

#include "browser/add_command.h"
#include "browser/brw_paises_form.h"
#include "browser/edit_delete_commands.h"
#include "browser/expand_node.h"
#include "browser/fill_tree.h"
#include "common/error_box.h"
#include "common/module_identity.h"
#include "contracts/ui/toolkit.h"
#include "runtime/dispatch.h"

namespace mundor::browser {

BrwPaises::BrwPaises(rt::AppObject app)
    : app_(std::move(app)), window_(ui::ThreadToolkit().CreateWindow(BrwPaisesForm(), *this)) {}

BrwPaises::~BrwPaises() {
    // The window unloads as it goes and may call back into this object: it goes first.
    window_.reset();
}

CommandContext BrwPaises::Context() {
    return {app_, thisFx_.get(), window_->Get<ui::Tree>(u"tvwPaises")};
}

void BrwPaises::OnLoad() {
    FillLvw(app_, thisFx_.get(), window_->Get<ui::Tree>(u"tvwPaises"));
    common::FillModuleIdentity(app_, window_->Get<ui::ModuleBanner>(u"axMirel"));
}

void BrwPaises::OnClick(ui::Button& button) {
    const std::u16string_view name = button.Name();
    if (rt::SameMemberName(name, u"cmdAction")) {
        routine_ = u"cmdAction_Click";
        return AddFromButton(Context(), button);
    }
    if (rt::SameMemberName(name, u"cmdEdit")) {
        routine_ = u"EditSelected";
        return EditSelected(Context());
    }
    if (rt::SameMemberName(name, u"cmdDel")) {
        routine_ = u"DelSelected";
        return DelSelected(Context());
    }
    if (rt::SameMemberName(name, u"cmdCerrar")) {
        routine_ = u"cmdCerrar_Click";
        window_->Unload();
    }
}

void BrwPaises::OnExpand(ui::Tree& tree, const ui::NodeRef& node) {
    routine_ = u"tvwPaises_Expand";
    LoadChildrenOnExpand(thisFx_.get(), tree, node);
}

void BrwPaises::OnEventError(const rt::RuntimeError& error) {
    common::ShowErrorBox(app_, error, u" [brwPaises." + std::u16string(routine_) + u"]", "browser");
}

}  // namespace mundor::browser
