// The dialog launchers: each call opens a fresh edit dialog, modal and without an owner, and
// tells whether the user saved. The object-based forms add when the caller's Obj is empty (the
// new record goes into that variable at once, and goes again when the user cancels) and edit
// the given record otherwise; the key-based forms add with key 0 and otherwise load the record
// by key and edit it. Nothing is caught: a failing step reaches the caller as the call's error,
// and the dialog window is released, without an unload, as the call unwinds.
#include <utility>

#include "dialogs/dlg_ciudad.h"
#include "dialogs/dlg_edo_prov.h"
#include "dialogs/dlg_pais.h"
#include "facade/component.h"
#include "facade/mundor_fx.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace mundor {

namespace {

// Step 2 of a launch: the parent key goes to the dialog before SetObjects; a country has none.
void SetParentKey(dialogs::DlgPais&, LONG) {}
void SetParentKey(dialogs::DlgEdoProv& dialog, LONG key) {
    dialog.SetPKPais(key);
}
void SetParentKey(dialogs::DlgCiudad& dialog, LONG key) {
    dialog.SetPKEstado(key);
}

template <class Launch, class Record>
bool Saved(Launch& launch, Record** obj) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    rt::ThrowIfFailed(launch(obj, &saved));
    return saved != VARIANT_FALSE;
}

VARIANT_BOOL AsVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

void Answer(VARIANT* result, rt::Variant value) {
    if (result) *result = value.Detach();
}

}  // namespace

template <class Dialog>
bool MundorFx::RunDialog(typename Dialog::Record** obj, const CLSID& recordClass, LONG parentKey) {
    using Record = typename Dialog::Record;
    Dialog dialog(ThisApp());
    SetParentKey(dialog, parentKey);
    const bool adding = *obj == nullptr;
    // In the caller's variable before the catalog is read: a later failure leaves it there.
    if (adding) *obj = rt::CreateInstance<Record>(recordClass).Detach();
    const rt::Ref<nubex::Connection> connection = CatalogConnection();
    dialog.SetObjects(connection.get(), *obj, adding ? dialogs::kAdd : dialogs::kEdit);
    dialog.ShowModal();
    if (adding && !dialog.BtnOk()) rt::Ref<Record>::Attach(std::exchange(*obj, nullptr));
    const bool saved = dialog.BtnOk();
    dialog.Unload();
    return saved;
}

template <class Record, class Launch>
rt::Variant MundorFx::RunDialogByKey(LONG* sysPk, const CLSID& recordClass, Launch launch) {
    LONG omitted = 0;
    LONG* key = sysPk ? sysPk : &omitted;
    if (*key == 0) {
        rt::Ref<Record> added;
        if (!Saved(launch, added.slot())) return rt::Variant::Int16(0);
        LONG newKey = 0;
        rt::ThrowIfFailed(added->get_Sys_PK(&newKey));
        return rt::Variant(newKey);
    }
    rt::Ref<Record> record = LoadByKey<Record>(recordClass, key);
    if (!record) return rt::Variant(false);
    return rt::Variant(Saved(launch, record.slot()));
}

HRESULT MundorFx::dlgPais(nubex::Pais** Obj, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        rt::Ref<nubex::Pais> omitted;
        const bool saved =
            RunDialog<dialogs::DlgPais>(Obj ? Obj : omitted.slot(), nubex::CLSID_Pais, 0);
        if (result) *result = AsVariantBool(saved);
    });
}

HRESULT MundorFx::dlgEdoProv(nubex::EdoProv** Obj, LONG* Fk, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        rt::Ref<nubex::EdoProv> omitted;
        const bool saved = RunDialog<dialogs::DlgEdoProv>(Obj ? Obj : omitted.slot(),
                                                          nubex::CLSID_EdoProv, Fk ? *Fk : 0);
        if (result) *result = AsVariantBool(saved);
    });
}

HRESULT MundorFx::dlgCiudad(nubex::Ciudad** Obj, LONG* FkEstado, VARIANT_BOOL* result) {
    return rt::Guard([&] {
        rt::Ref<nubex::Ciudad> omitted;
        const bool saved = RunDialog<dialogs::DlgCiudad>(
            Obj ? Obj : omitted.slot(), nubex::CLSID_Ciudad, FkEstado ? *FkEstado : 0);
        if (result) *result = AsVariantBool(saved);
    });
}

// The key-based forms call the object-based member of the same level on this instance, with
// parent key 0 in both modes.
HRESULT MundorFx::dlgPais_BySysPK(LONG* Sys_PK, VARIANT* result) {
    return rt::Guard([&] {
        Answer(result, RunDialogByKey<nubex::Pais>(Sys_PK, nubex::CLSID_Pais,
                                                   [this](nubex::Pais** obj, VARIANT_BOOL* saved) {
                                                       return dlgPais(obj, saved);
                                                   }));
    });
}

HRESULT MundorFx::dlgEdoProv_BySysPK(LONG* Sys_PK, VARIANT* result) {
    return rt::Guard([&] {
        Answer(result,
               RunDialogByKey<nubex::EdoProv>(Sys_PK, nubex::CLSID_EdoProv,
                                              [this](nubex::EdoProv** obj, VARIANT_BOOL* saved) {
                                                  LONG noParent = 0;
                                                  return dlgEdoProv(obj, &noParent, saved);
                                              }));
    });
}

HRESULT MundorFx::dlgCiudad_BySysPK(LONG* Sys_PK, VARIANT* result) {
    return rt::Guard([&] {
        Answer(result,
               RunDialogByKey<nubex::Ciudad>(Sys_PK, nubex::CLSID_Ciudad,
                                             [this](nubex::Ciudad** obj, VARIANT_BOOL* saved) {
                                                 LONG noParent = 0;
                                                 return dlgCiudad(obj, &noParent, saved);
                                             }));
    });
}

}  // namespace mundor
