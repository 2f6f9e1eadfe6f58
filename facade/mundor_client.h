// A thin typed client for C++ hosts: each call goes through the _MundorFx vtable and turns a
// failure back into the run-time error exception (rt::RuntimeError) with its number and text.
//
//   auto fx = mundor::MundorClient::Create();   // by ProgID, through the class registry
//   fx.SetDataObjects(catalog);
//   bool deleted = fx.DelPais_BySysPK(key);      // asks the user first
#pragma once

#include <optional>
#include <string>

#include "facade/mundor_fx_interface.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/ref.h"
#include "runtime/registry.h"
#include "runtime/variant.h"

namespace mundor {

class MundorClient {
  public:
    explicit MundorClient(rt::Ref<_MundorFx> fx) : fx_(std::move(fx)) {
        if (!fx_) rt::RaiseObjectNotSet();
    }
    static MundorClient Create() {
        auto fx = rt::CreateObject(u"Mundor.MundorFx").As<_MundorFx>();
        if (!fx) rt::Raise(rt::err::kCannotCreateObject);
        return MundorClient(std::move(fx));
    }

    _MundorFx* get() const { return fx_.get(); }

    LONG LastErrorCode() const {
        LONG value = 0;
        rt::ThrowIfFailed(fx_->get_LastErrorCode(&value));
        return value;
    }
    void SetLastErrorCode(LONG value) { rt::ThrowIfFailed(fx_->put_LastErrorCode(&value)); }
    std::u16string LastErrorDescrip() const {
        rt::BString text;
        rt::ThrowIfFailed(fx_->get_LastErrorDescrip(text.put()));
        return text.str();
    }
    void SetLastErrorDescrip(std::u16string_view text) {
        rt::BString value(text);
        BSTR raw = value.get();
        rt::ThrowIfFailed(fx_->put_LastErrorDescrip(&raw));
    }
    rt::Ref<nubex::Catalog> DataObjects() const {
        rt::Ref<nubex::Catalog> catalog;
        rt::ThrowIfFailed(fx_->get_DataObjects(catalog.put()));
        return catalog;
    }
    void SetDataObjects(rt::Ref<nubex::Catalog> catalog) {
        rt::ThrowIfFailed(fx_->SetDataObjects(catalog.slot()));
    }

    bool DelPais(rt::Ref<nubex::Pais>& obj, std::optional<bool> ask = {}) {
        return Bool(
            ask, [&](VARIANT_BOOL* a, VARIANT_BOOL* r) { return fx_->DelPais(obj.slot(), a, r); });
    }
    bool DelEdoProv(rt::Ref<nubex::EdoProv>& obj, std::optional<bool> ask = {}) {
        return Bool(ask, [&](VARIANT_BOOL* a, VARIANT_BOOL* r) {
            return fx_->DelEdoProv(obj.slot(), a, r);
        });
    }
    bool DelCiudad(rt::Ref<nubex::Ciudad>& obj, std::optional<bool> ask = {}) {
        return Bool(ask, [&](VARIANT_BOOL* a, VARIANT_BOOL* r) {
            return fx_->DelCiudad(obj.slot(), a, r);
        });
    }
    bool DelPais_BySysPK(LONG& sysPk, std::optional<bool> ask = {}) {
        return Bool(ask, [&](VARIANT_BOOL* a, VARIANT_BOOL* r) {
            return fx_->DelPais_BySysPK(&sysPk, a, r);
        });
    }
    bool DelEdoProv_BySysPK(LONG& sysPk, std::optional<bool> ask = {}) {
        return Bool(ask, [&](VARIANT_BOOL* a, VARIANT_BOOL* r) {
            return fx_->DelEdoProv_BySysPK(&sysPk, a, r);
        });
    }
    bool DelCiudad_BySysPK(LONG& sysPk, std::optional<bool> ask = {}) {
        return Bool(ask, [&](VARIANT_BOOL* a, VARIANT_BOOL* r) {
            return fx_->DelCiudad_BySysPK(&sysPk, a, r);
        });
    }

    bool dlgPais(rt::Ref<nubex::Pais>& obj) {
        VARIANT_BOOL result = VARIANT_FALSE;
        rt::ThrowIfFailed(fx_->dlgPais(obj.slot(), &result));
        return result != VARIANT_FALSE;
    }
    bool dlgEdoProv(rt::Ref<nubex::EdoProv>& obj, LONG fk = 0) {
        VARIANT_BOOL result = VARIANT_FALSE;
        rt::ThrowIfFailed(fx_->dlgEdoProv(obj.slot(), &fk, &result));
        return result != VARIANT_FALSE;
    }
    bool dlgCiudad(rt::Ref<nubex::Ciudad>& obj, LONG fkEstado = 0) {
        VARIANT_BOOL result = VARIANT_FALSE;
        rt::ThrowIfFailed(fx_->dlgCiudad(obj.slot(), &fkEstado, &result));
        return result != VARIANT_FALSE;
    }
    rt::Variant dlgPais_BySysPK(LONG sysPk = 0) {
        rt::Variant result;
        rt::ThrowIfFailed(fx_->dlgPais_BySysPK(&sysPk, result.put()));
        return result;
    }
    rt::Variant dlgEdoProv_BySysPK(LONG sysPk = 0) {
        rt::Variant result;
        rt::ThrowIfFailed(fx_->dlgEdoProv_BySysPK(&sysPk, result.put()));
        return result;
    }
    rt::Variant dlgCiudad_BySysPK(LONG sysPk = 0) {
        rt::Variant result;
        rt::ThrowIfFailed(fx_->dlgCiudad_BySysPK(&sysPk, result.put()));
        return result;
    }
    void ExplorerCountry() { rt::ThrowIfFailed(fx_->ExplorerCountry()); }

  private:
    // Runs a Boolean member whose optional Ask is left out (null) when the caller gives none.
    template <class Call>
    static bool Bool(std::optional<bool> ask, Call&& call) {
        VARIANT_BOOL askValue = ask.value_or(true) ? VARIANT_TRUE : VARIANT_FALSE;
        VARIANT_BOOL result = VARIANT_FALSE;
        rt::ThrowIfFailed(call(ask ? &askValue : nullptr, &result));
        return result != VARIANT_FALSE;
    }

    rt::Ref<_MundorFx> fx_;
};

}  // namespace mundor
