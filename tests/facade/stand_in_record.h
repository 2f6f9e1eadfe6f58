// Stand-in records of each level for what a host's data library may do but ours never does:
// refuse a store with any ErrorCode (0 and negative ones too), record the refusal as the
// thread's last run-time error instead, or fail a store or a delete outright with any number.
// They come filled in and keep no change; a state's IPais and a city's Estado are stand-ins of
// their own.
#pragma once

#include <string>

#include "contracts/data_objects.h"
#include "launch_road.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/ref.h"

namespace mundor::testing {

struct StandInOutcome {
    LONG errorCode = 0;  // every store is refused with this ErrorCode ...
    std::u16string errorDescription;
    std::u16string platformError;  // ... and, when not empty, this recorded as the last error
    HRESULT failure = S_OK;        // else SaveRecord and DeleteRecord fail with errorDescription
};

namespace stand_in {

inline rt::ModuleLifetime& TestModule() {
    static rt::ModuleLifetime lifetime;
    return lifetime;
}

inline HRESULT Give(std::u16string_view text, BSTR* result) {
    *result = rt::BString(text).Detach();
    return S_OK;
}

template <class T>
HRESULT Give(T value, T* result) {
    *result = value;
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

    HRESULT get_Codigo(BSTR* result) override { return Give(u"c", result); }
    HRESULT put_Codigo(BSTR*) override { return S_OK; }
    HRESULT get_Nombre(BSTR* result) override { return Give(u"n", result); }
    HRESULT put_Nombre(BSTR*) override { return S_OK; }
    HRESULT get_Sys_PK(LONG* result) override { return Give(LONG{0}, result); }
    HRESULT get_Sys_GUID(BSTR* result) override { return Give(u"", result); }
    HRESULT get_ErrorCode(LONG* result) override { return Give(outcome_.errorCode, result); }
    HRESULT get_ErrorDescription(BSTR* result) override {
        return Give(outcome_.errorDescription, result);
    }
    HRESULT SetConnection(nubex::Connection**) override { return S_OK; }
    HRESULT NewRecord(VARIANT_BOOL* result) override { return Give(VARIANT_TRUE, result); }
    HRESULT LoadRecord(LONG*, BSTR*, nubex::Connection**, LONG*, VARIANT_BOOL* result) override {
        return Give(VARIANT_FALSE, result);
    }
    HRESULT LoadFromADOConnection(LONG*, BSTR*, nubex::Connection**,
                                  VARIANT_BOOL* result) override {
        return Give(VARIANT_FALSE, result);
    }
    HRESULT SaveRecord(VARIANT_BOOL* result) override {
        if (FAILED(outcome_.failure)) return Fail();
        if (!outcome_.platformError.empty()) {
            rt::RecordError(rt::RuntimeError(20031, outcome_.platformError));
        }
        return Give(VARIANT_FALSE, result);
    }
    HRESULT DeleteRecord(VARIANT_BOOL*) override { return Fail(); }

  protected:
    HRESULT Fail() const {
        return rt::ReportToCaller(rt::RuntimeError(rt::ErrorNumberFromHResult(outcome_.failure),
                                                   outcome_.errorDescription));
    }

    StandInOutcome outcome_;
};

class Pais final : public StandIn<Pais, nubex::Pais> {
  public:
    using StandIn::StandIn;
    HRESULT get_CodigoTel(BSTR* result) override { return Give(u"t", result); }
    HRESULT put_CodigoTel(BSTR*) override { return S_OK; }
};

class EdoProv final : public StandIn<EdoProv, nubex::EdoProv> {
  public:
    using StandIn::StandIn;
    HRESULT get_IPais(nubex::Pais** result) override {
        return Give<nubex::Pais*>(rt::MakeObject<Pais>(StandInOutcome{}).Detach(), result);
    }
};

class Ciudad final : public StandIn<Ciudad, nubex::Ciudad> {
  public:
    using StandIn::StandIn;
    HRESULT get_CodigoTel(BSTR* result) override { return Give(u"t", result); }
    HRESULT put_CodigoTel(BSTR*) override { return S_OK; }
    HRESULT get_Estado(nubex::EdoProv** result) override {
        return Give<nubex::EdoProv*>(rt::MakeObject<EdoProv>(StandInOutcome{}).Detach(), result);
    }
};

}  // namespace stand_in

inline rt::Ref<IDispatch> NewStandIn(Level level, StandInOutcome outcome) {
    if (level == Level::Pais) return rt::Ref<IDispatch>(rt::MakeObject<stand_in::Pais>(outcome));
    if (level == Level::EdoProv) {
        return rt::Ref<IDispatch>(rt::MakeObject<stand_in::EdoProv>(outcome));
    }
    return rt::Ref<IDispatch>(rt::MakeObject<stand_in::Ciudad>(outcome));
}

}  // namespace mundor::testing
