// The dialog protocol the three edit dialogs share, written once. A dialog edits one record of
// the data-object library: the launcher creates it, sets the parent key (state and city),
// hands it the connection, the record and the action with SetObjects, shows it modally and
// reads BtnOk after the dialog has hidden itself. OK validates the fields, copies them into the
// record and has the record store itself; a refused store is explained and the dialog stays
// open. Cancel, and closing the window, store nothing.
//
// What differs between the dialogs comes from `Traits`: the record type, its form, the field
// order of fill-fields (enable-fields follows it) and of store-fields, the validation prompts,
// whether the parent record (read through the record's `kParent` property) is loaded before or
// after the fields are copied, and which error codes of a refused store the record's own
// description explains.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "contracts/data_objects.h"
#include "contracts/ui/window.h"
#include "dialogs/record_calls.h"
#include "runtime/app_object.h"
#include "runtime/ref.h"

namespace mundor::dialogs {

// Action codes of SetObjects; any other value behaves as kEdit.
inline constexpr LONG kAdd = 1;
inline constexpr LONG kEdit = 2;
inline constexpr LONG kNoStore = 3;

// When store-fields loads the record's parent by the dialog's parent key.
enum class ParentLoad { None, BeforeCopy, AfterCopy };

// A text field and the record property it shows.
template <class R>
struct FieldBinding {
    std::u16string_view control;
    TextGetter<R> get;
    TextSetter<R> put;
};

// The three fields a record's properties fill, for a dialog over records of type R.
template <class R>
inline constexpr FieldBinding<R> kCodigoField{u"ctrlCodigo", &nubex::DataRecord::get_Codigo,
                                              &nubex::DataRecord::put_Codigo};
template <class R>
inline constexpr FieldBinding<R> kNombreField{u"ctrlNombre", &nubex::DataRecord::get_Nombre,
                                              &nubex::DataRecord::put_Nombre};
template <class R>
inline constexpr FieldBinding<R> kCodigoTelField{u"ctrlCodigoTel", &R::get_CodigoTel,
                                                 &R::put_CodigoTel};

// A field that may not be left empty and the prompt that asks for it.
struct Prompt {
    std::u16string_view control;
    std::u16string_view message;
};

template <class Traits>
class EditDialog : public ui::FormEvents {
  public:
    using Record = typename Traits::Record;

    // Builds the window on the calling thread's toolkit; it is not shown yet. `app` is the
    // component's application object: the banner's identity and the message boxes' title.
    explicit EditDialog(rt::AppObject app);
    ~EditDialog();

    // The public members, in the order of the dialog's interface (the parent key comes first,
    // in the dialogs that have one).
    bool BtnOk() const { return btnOk_; }
    void SetBtnOk(bool value) { btnOk_ = value; }
    const rt::Ref<Record>& ThisObj() const { return thisObj_; }
    void SetThisObj(rt::Ref<Record> record) { thisObj_ = std::move(record); }
    LONG CurrentAction() const { return action_; }
    void AddNew();
    void edit();
    void ShowObject(Record* obj = nullptr);
    void InitInterface() {}
    // `obj` is any object: one that is not a record of this dialog's type raises error 13 after
    // the connection and the action have been kept.
    void SetObjects(nubex::Connection* cnn, IDispatch* obj = nullptr, LONG action = 0);
    bool Save();
    bool Validate();
    void CancelButton();
    void OkButton();

    // The window, for the launcher: shown modally until it hides, then unloaded.
    void ShowModal() { window_->ShowModal(); }
    void Unload() { window_->Unload(); }
    ui::Window& Window() { return *window_; }

    void OnClick(ui::Button& button) override;
    void OnEventError(const rt::RuntimeError& error) override;

  protected:
    // PKPais or PKEstado in the dialogs that have a parent.
    LONG parentKey_ = 0;

  private:
    void FillFields();
    void StoreFields();
    void EnableFields();
    void LoadParent(Record& record);
    void ReportRefusedStore();
    Record& RequireThisObj() const;
    ui::TextField& Field(std::u16string_view name) { return window_->Get<ui::TextField>(name); }

    rt::AppObject app_;
    bool btnOk_ = false;
    rt::Ref<Record> thisObj_;
    rt::Ref<nubex::Connection> connection_;
    LONG action_ = 0;
    std::unique_ptr<ui::Window> window_;
};

}  // namespace mundor::dialogs
