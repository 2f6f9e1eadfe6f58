#include "browser/brw_paises.h"

#include "browser/brw_paises_form.h"
#include "browser/expand_node.h"
#include "browser/fill_tree.h"
#include "common/module_identity.h"
#include "common/unhandled_error.h"
#include "contracts/ui/toolkit.h"
#include "runtime/dispatch.h"

namespace mundor::browser {

BrwPaises::BrwPaises(rt::AppObject app)
    : app_(std::move(app)), window_(ui::ThreadToolkit().CreateWindow(BrwPaisesForm(), *this)) {}

BrwPaises::~BrwPaises() {
    // The window unloads as it goes and may call back into this object: it goes first.
    window_.reset();
}

void BrwPaises::OnLoad() {
    FillLvw(app_, thisFx_.get(), window_->Get<ui::Tree>(u"tvwPaises"));
    common::FillModuleIdentity(app_, window_->Get<ui::ModuleBanner>(u"axMirel"));
}

void BrwPaises::OnClick(ui::Button& button) {
    if (rt::SameMemberName(button.Name(), u"cmdCerrar")) window_->Unload();
}

void BrwPaises::OnExpand(ui::Tree& tree, const ui::NodeRef& node) {
    LoadChildrenOnExpand(thisFx_.get(), tree, node);
}

void BrwPaises::OnEventError(const rt::RuntimeError& error) {
    common::ShowUnhandledError(app_, error);
}

}  // namespace mundor::browser
