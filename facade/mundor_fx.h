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
    template <class Record>
    bool DeleteByKey(const CLSID& recordClass, LONG* sysPk, VARIANT_BOOL* ask,
                     HRESULT (MundorFx::*deleteObject)(Record**, VARIANT_BOOL*, VARIANT_BOOL*));

    rt::Ref<nubex::Catalog> catalog_;
    LONG lastErrorCode_ = 0;
    rt::BString lastErrorDescrip_;
};

}  // namespace mundor
