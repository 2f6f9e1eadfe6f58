#include "stand_in_record.h"

#include "contracts/data_objects.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/object.h"

namespace mundor::testing {
namespace {

rt::ModuleLifetime& TestModule() {
    static rt::ModuleLifetime lifetime;
    return lifetime;
}

HRESULT Give(std::u16string_view text, BSTR* result) {
    *result = rt::BString(text).Detach();
    return S_OK;
}

HRESULT Take(std::u16string& text, const BSTR* value) {
    text = *value ? std::u16string(*value, SysStringLen(*value)) : std::u16string();
    return S_OK;
}

template <class Derived, class I>
class StandIn : public rt::DispatchObject<Derived, I> {
  public:
    explicit StandIn(StandInOutcome outcome)
        : rt::DispatchObject<Derived, I>(TestModule()), outcome_(std::move(outcome)) {}
    static const rt::DispatchTableBase& Table() {
        static const rt::DispatchTable<Derived> table{};
        return table;
    }

    HRESULT get_Codigo(BSTR* result) override { return Give(codigo_, result); }
    HRESULT put_Codigo(BSTR* value) override { return Take(codigo_, value); }
    HRESULT get_Nombre(BSTR* result) override { return Give(nombre_, result); }
    HRESULT put_Nombre(BSTR* value) override { return Take(nombre_, value); }
    HRESULT get_Sys_PK(LONG* result) override {
        *result = 0;
        return S_OK;
    }
    HRESULT get_Sys_GUID(BSTR* result) override { return Give(u"", result); }
    HRESULT get_ErrorCode(LONG* result) override {
        *result = outcome_.errorCode;
        return S_OK;
    }
    HRESULT get_ErrorDescription(BSTR* result) override {
        return Give(outcome_.errorDescription, result);
    }
    HRESULT SetConnection(nubex::Connection**) override { return S_OK; }
    HRESULT NewRecord(VARIANT_BOOL* result) override {
        *result = VARIANT_TRUE;
        return S_OK;
    }
    HRESULT LoadRecord(LONG*, BSTR*, nubex::Connection**, LONG*, VARIANT_BOOL* result) override {
        *result = VARIANT_FALSE;
        return S_OK;
    }
    HRESULT LoadFromADOConnection(LONG*, BSTR*, nubex::Connection**,
                                  VARIANT_BOOL* result) override {
        *result = VARIANT_FALSE;
        return S_OK;
    }
    HRESULT SaveRecord(VARIANT_BOOL* result) override {
        if (FAILED(outcome_.failure)) return Fail();
        if (!outcome_.platformError.empty()) {
            rt::RecordError(rt::RuntimeError(20031, outcome_.platformError));
        }
        *result = VARIANT_FALSE;
        return S_OK;
    }
    HRESULT DeleteRecord(VARIANT_BOOL*) override { return Fail(); }

  protected:
    HRESULT Fail() const {
        return rt::ReportToCaller(rt::RuntimeError(rt::ErrorNumberFromHResult(outcome_.failure),
                                                   outcome_.errorDescription));
    }

    std::u16string codigo_ = u"c", nombre_ = u"n", codigoTel_ = u"t";
    StandInOutcome outcome_;
};

class PaisStandIn final : public StandIn<PaisStandIn, nubex::Pais> {
  public:
    using StandIn::StandIn;
    HRESULT get_CodigoTel(BSTR* result) override { return Give(codigoTel_, result); }
    HRESULT put_CodigoTel(BSTR* value) override { return Take(codigoTel_, value); }
};

class EdoProvStandIn final : public StandIn<EdoProvStandIn, nubex::EdoProv> {
  public:
    using StandIn::StandIn;
    HRESULT get_IPais(nubex::Pais** result) override {
        *result = pais_.CopyOut();
        return S_OK;
    }

  private:
    rt::Ref<nubex::Pais> pais_ = rt::MakeObject<PaisStandIn>(StandInOutcome{});
};

class CiudadStandIn final : public StandIn<CiudadStandIn, nubex::Ciudad> {
  public:
    using StandIn::StandIn;
    HRESULT get_CodigoTel(BSTR* result) override { return Give(codigoTel_, result); }
    HRESULT put_CodigoTel(BSTR* value) override { return Take(codigoTel_, value); }
    HRESULT get_Estado(nubex::EdoProv** result) override {
        *result = estado_.CopyOut();
        return S_OK;
    }

  private:
    rt::Ref<nubex::EdoProv> estado_ = rt::MakeObject<EdoProvStandIn>(StandInOutcome{});
};

}  // namespace

rt::Ref<IDispatch> NewStandIn(Level level, StandInOutcome outcome) {
    switch (level) {
        case Level::Pais:
            return rt::Ref<IDispatch>(rt::MakeObject<PaisStandIn>(std::move(outcome)));
        case Level::EdoProv:
            return rt::Ref<IDispatch>(rt::MakeObject<EdoProvStandIn>(std::move(outcome)));
        case Level::Ciudad:
            break;
    }
    return rt::Ref<IDispatch>(rt::MakeObject<CiudadStandIn>(std::move(outcome)));
}

}  // namespace mundor::testing
