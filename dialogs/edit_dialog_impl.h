// The members of EditDialog. Included only by the files that instantiate it for one dialog.
#pragma once

#include "common/module_identity.h"
#include "contracts/ui/message_box.h"
#include "contracts/ui/toolkit.h"
#include "dialogs/edit_dialog.h"
#include "runtime/dispatch.h"
#include "runtime/error.h"

namespace mundor::dialogs {

namespace detail {

// Only the test trims, and only spaces: the text itself is never changed.
inline bool IsBlank(std::u16string_view text) {
    return text.find_first_not_of(u' ') == std::u16string_view::npos;
}

// The record's parent (a state's IPais, a city's Estado) through its reader.
template <class R, class P>
rt::Ref<P> ParentOf(R& record, HRESULT (R::*get)(P**)) {
    rt::Ref<P> parent;
    rt::ThrowIfFailed((record.*get)(parent.put()));
    return parent;
}

}  // namespace detail

template <class Traits>
EditDialog<Traits>::EditDialog(rt::AppObject app)
    : app_(std::move(app)), window_(ui::ThreadToolkit().CreateWindow(Traits::Form(), *this)) {}

template <class Traits>
EditDialog<Traits>::~EditDialog() {
    // The window unloads as it goes and may call back into this object: it goes first.
    window_.reset();
}

template <class Traits>
void EditDialog<Traits>::AddNew() {
    action_ = kAdd;
    NewRecord(RequireThisObj());
    FillFields();
    EnableFields();
}

template <class Traits>
void EditDialog<Traits>::edit() {
    action_ = kEdit;
    EnableFields();
}

template <class Traits>
void EditDialog<Traits>::ShowObject(Record* obj) {
    // The record shown this way is not handed the connection.
    if (obj) thisObj_ = rt::Ref<Record>(obj);
    FillFields();
}

template <class Traits>
void EditDialog<Traits>::SetObjects(nubex::Connection* cnn, IDispatch* obj, LONG action) {
    connection_ = rt::Ref<nubex::Connection>(cnn);
    action_ = action;
    InitInterface();
    if (obj) {
        rt::Ref<Record> record = rt::Ref<IDispatch>(obj).template As<Record>();
        if (!record) rt::Raise(rt::err::kTypeMismatch);
        thisObj_ = std::move(record);
        SetConnection(*thisObj_, connection_.get());
        if (CurrentAction() == kAdd) NewRecord(*thisObj_);
    } else if constexpr (Traits::kParentLoad != ParentLoad::None) {
        // fill-fields-reset: a dialog given no record forgets the parent it was told.
        parentKey_ = 0;
    }
    FillFields();
    common::FillModuleIdentity(app_, window_->Get<ui::ModuleBanner>(u"axMirel"));
}

template <class Traits>
bool EditDialog<Traits>::Save() {
    const bool valid = Validate();
    if (!valid || CurrentAction() == kNoStore) return false;
    StoreFields();
    return SaveRecord(RequireThisObj());
}

template <class Traits>
bool EditDialog<Traits>::Validate() {
    for (const Prompt& prompt : Traits::kPrompts) {
        ui::TextField& field = Field(prompt.control);
        if (!detail::IsBlank(field.Value())) continue;
        ui::MsgBox(app_, prompt.message, ui::vbInformation);
        field.SetFocus();
        return false;
    }
    return true;
}

template <class Traits>
void EditDialog<Traits>::CancelButton() {
    btnOk_ = false;
    window_->Hide();
}

template <class Traits>
void EditDialog<Traits>::OkButton() {
    // The report below reads the most recent run-time error: one left from before this press
    // (an error shown earlier, say) is not this store's and must not be shown again.
    rt::ClearLastError();
    if (Save()) {
        btnOk_ = true;
        window_->Hide();
        return;
    }
    ReportRefusedStore();
}

template <class Traits>
void EditDialog<Traits>::ReportRefusedStore() {
    Record& record = RequireThisObj();
    if (Traits::ExplainsRefusal(ErrorCode(record))) {
        ui::MsgBox(app_, ErrorDescription(record));
        return;
    }
    const std::u16string platformError = rt::LastError().description;
    if (!platformError.empty()) ui::MsgBox(app_, platformError);
}

template <class Traits>
void EditDialog<Traits>::OnClick(ui::Button& button) {
    if (rt::SameMemberName(button.Name(), u"cmdAceptar")) return OkButton();
    if (rt::SameMemberName(button.Name(), u"cmdCancelar")) return CancelButton();
}

template <class Traits>
void EditDialog<Traits>::OnEventError(const rt::RuntimeError& error) {
    // Shown like a refused store, and the dialog stays open: a component must not end its host.
    ui::MsgBox(app_, error.description());
}

template <class Traits>
void EditDialog<Traits>::FillFields() {
    Record& record = RequireThisObj();
    for (const FieldBinding<Record>& binding : Traits::kFill) {
        Field(binding.control).SetValue(ReadText(record, binding.get));
    }
}

template <class Traits>
void EditDialog<Traits>::StoreFields() {
    Record& record = RequireThisObj();
    if constexpr (Traits::kParentLoad == ParentLoad::BeforeCopy) LoadParent(record);
    for (const FieldBinding<Record>& binding : Traits::kStore) {
        WriteText(record, binding.put, Field(binding.control).Value());
    }
    if constexpr (Traits::kParentLoad == ParentLoad::AfterCopy) LoadParent(record);
}

template <class Traits>
void EditDialog<Traits>::EnableFields() {
    // In every dialog the fields are made editable in the order fill-fields fills them.
    for (const FieldBinding<Record>& binding : Traits::kFill) {
        Field(binding.control).SetEditable(true);
    }
}

template <class Traits>
void EditDialog<Traits>::LoadParent([[maybe_unused]] Record& record) {
    if constexpr (Traits::kParentLoad != ParentLoad::None) {
        const auto parent = detail::ParentOf(record, Traits::kParent);
        if (!parent) rt::RaiseObjectNotSet();
        LoadParentByKey(*parent, parentKey_);
    }
}

template <class Traits>
typename EditDialog<Traits>::Record& EditDialog<Traits>::RequireThisObj() const {
    if (!thisObj_) rt::RaiseObjectNotSet();
    return *thisObj_;
}

}  // namespace mundor::dialogs
