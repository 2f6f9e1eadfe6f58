// A _MundorFx that stands between the host and the real component and counts which road each
// call took: a typed slot of the vtable, or IDispatch::Invoke. Everything is passed on as is.
#pragma once

#include <atomic>

#include "facade/mundor_fx_interface.h"
#include "runtime/ref.h"

namespace mundor::host::testing {

class RouteSpy final : public _MundorFx {
  public:
    explicit RouteSpy(rt::Ref<_MundorFx> target) : target_(std::move(target)) {}

    int typedCalls() const { return typedCalls_; }
    int invokes() const { return invokes_; }

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT* count) override { return target_->GetTypeInfoCount(count); }
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return target_->GetTypeInfo(index, lcid, info);
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                          DISPID* ids) override {
        return target_->GetIDsOfNames(riid, names, count, lcid, ids);
    }
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        ++invokes_;
        return target_->Invoke(id, riid, lcid, flags, params, result, excep, argErr);
    }

    HRESULT get_LastErrorCode(LONG* r) override { return Typed(&_MundorFx::get_LastErrorCode, r); }
    HRESULT put_LastErrorCode(LONG* v) override { return Typed(&_MundorFx::put_LastErrorCode, v); }
    HRESULT get_LastErrorDescrip(BSTR* r) override {
        return Typed(&_MundorFx::get_LastErrorDescrip, r);
    }
    HRESULT put_LastErrorDescrip(BSTR* v) override {
        return Typed(&_MundorFx::put_LastErrorDescrip, v);
    }
    HRESULT get_DataObjects(nubex::Catalog** r) override {
        return Typed(&_MundorFx::get_DataObjects, r);
    }
    HRESULT DelCiudad(nubex::Ciudad** o, VARIANT_BOOL* a, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::DelCiudad, o, a, r);
    }
    HRESULT DelCiudad_BySysPK(LONG* k, VARIANT_BOOL* a, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::DelCiudad_BySysPK, k, a, r);
    }
    HRESULT dlgCiudad(nubex::Ciudad** o, LONG* f, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::dlgCiudad, o, f, r);
    }
    HRESULT dlgCiudad_BySysPK(LONG* k, VARIANT* r) override {
        return Typed(&_MundorFx::dlgCiudad_BySysPK, k, r);
    }
    HRESULT DelEdoProv(nubex::EdoProv** o, VARIANT_BOOL* a, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::DelEdoProv, o, a, r);
    }
    HRESULT DelEdoProv_BySysPK(LONG* k, VARIANT_BOOL* a, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::DelEdoProv_BySysPK, k, a, r);
    }
    HRESULT dlgEdoProv(nubex::EdoProv** o, LONG* f, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::dlgEdoProv, o, f, r);
    }
    HRESULT dlgEdoProv_BySysPK(LONG* k, VARIANT* r) override {
        return Typed(&_MundorFx::dlgEdoProv_BySysPK, k, r);
    }
    HRESULT DelPais(nubex::Pais** o, VARIANT_BOOL* a, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::DelPais, o, a, r);
    }
    HRESULT DelPais_BySysPK(LONG* k, VARIANT_BOOL* a, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::DelPais_BySysPK, k, a, r);
    }
    HRESULT dlgPais(nubex::Pais** o, VARIANT_BOOL* r) override {
        return Typed(&_MundorFx::dlgPais, o, r);
    }
    HRESULT dlgPais_BySysPK(LONG* k, VARIANT* r) override {
        return Typed(&_MundorFx::dlgPais_BySysPK, k, r);
    }
    HRESULT ExplorerCountry() override { return Typed(&_MundorFx::ExplorerCountry); }
    HRESULT SetDataObjects(nubex::Catalog** v) override {
        return Typed(&_MundorFx::SetDataObjects, v);
    }

  private:
    template <class Slot, class... Args>
    HRESULT Typed(Slot slot, Args... args) {
        ++typedCalls_;
        return (target_.get()->*slot)(args...);
    }

    rt::Ref<_MundorFx> target_;
    std::atomic<ULONG> refs_{0};
    int typedCalls_ = 0;
    int invokes_ = 0;
};

}  // namespace mundor::host::testing
