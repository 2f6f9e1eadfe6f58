// MundorFx: the component's one public class. It holds the host's catalog and the two public
// error properties, and is the door to the launchers, the deletes and the browser.
#pragma once

#include "facade/mundor_fx_interface.h"
#include "runtime/bstr.h"
#include "runtime/dispatch.h"
#include "runtime/object.h"
#include "runtime/ref.h"

namespace mundor {

class MundorFx final : public rt::DispatchObject<MundorFx, _MundorFx> {
  public:
    MundorFx();
    static const rt::DispatchTableBase& Table();

    HRESULT get_LastErrorCode(LONG* result) override;
    HRESULT put_LastErrorCode(LONG* value) override;
    HRESULT get_LastErrorDescrip(BSTR* result) override;
    HRESULT put_LastErrorDescrip(BSTR* value) override;
    HRESULT get_DataObjects(nubex::Catalog** result) override;
    HRESULT SetDataObjects(nubex::Catalog** NewValue) override;

    HRESULT DelCiudad(nubex::Ciudad** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) override;
    HRESULT DelCiudad_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) override;
    HRESULT DelEdoProv(nubex::EdoProv** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) override;
    HRESULT DelEdoProv_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) override;
    HRESULT DelPais(nubex::Pais** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) override;
    HRESULT DelPais_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) override;

    HRESULT dlgCiudad(nubex::Ciudad** Obj, LONG* FkEstado, VARIANT_BOOL* result) override;
    HRESULT dlgCiudad_BySysPK(LONG* Sys_PK, VARIANT* result) override;
    HRESULT dlgEdoProv(nubex::EdoProv** Obj, LONG* Fk, VARIANT_BOOL* result) override;
    HRESULT dlgEdoProv_BySysPK(LONG* Sys_PK, VARIANT* result) override;
    HRESULT dlgPais(nubex::Pais** Obj, VARIANT_BOOL* result) override;
    HRESULT dlgPais_BySysPK(LONG* Sys_PK, VARIANT* result) override;
    HRESULT ExplorerCountry() override;

    ~MundorFx() = default;

  private:
    // The catalog as the component's own operations see it: read afresh through DataObjects.
    rt::Ref<nubex::Catalog> DataObjects();
    // DataObjects.ADOCnn; an unbound instance raises the object-not-set error (91).
    rt::Ref<nubex::Connection> CatalogConnection();
    // A new record of that class loaded with LoadRecord(key, "", ADOCnn, 1); empty when the key
    // does not load. `sysPk` is the caller's own variable.
    template <class Record>
    rt::Ref<Record> LoadByKey(const CLSID& recordClass, LONG* sysPk);
    template <class Record>
    bool DeleteByKey(const CLSID& recordClass, LONG* sysPk, VARIANT_BOOL* ask,
                     HRESULT (MundorFx::*deleteObject)(Record**, VARIANT_BOOL*, VARIANT_BOOL*));
    // Opens a fresh dialog of that kind on the caller's Obj variable (add when it is empty).
    template <class Dialog>
    bool RunDialog(typename Dialog::Record** obj, const CLSID& recordClass, LONG parentKey);
    // The key-based form: key 0 adds through `launch`, any other key loads and edits.
    template <class Record, class Launch>
    rt::Variant RunDialogByKey(LONG* sysPk, const CLSID& recordClass, Launch launch);

    rt::Ref<nubex::Catalog> catalog_;
    LONG lastErrorCode_ = 0;
    rt::BString lastErrorDescrip_;
};

}  // namespace mundor
