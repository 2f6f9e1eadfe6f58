#include "failing_record.h"

#include "runtime/error.h"
#include "runtime/object.h"

namespace mundor::testing {
namespace {

rt::ModuleLifetime& TestModule() {
    static rt::ModuleLifetime lifetime;
    return lifetime;
}

class FailingCiudad final : public rt::DispatchObject<FailingCiudad, nubex::Ciudad> {
  public:
    FailingCiudad(HRESULT failure, std::u16string description)
        : DispatchObject(TestModule()), failure_(failure), description_(std::move(description)) {}
    static const rt::DispatchTableBase& Table() {
        static const rt::DispatchTable<FailingCiudad> table{};
        return table;
    }

    HRESULT DeleteRecord(VARIANT_BOOL*) override {
        return rt::ReportToCaller(
            rt::RuntimeError(rt::ErrorNumberFromHResult(failure_), description_));
    }
    HRESULT get_Codigo(BSTR*) override { return E_NOTIMPL; }
    HRESULT put_Codigo(BSTR*) override { return E_NOTIMPL; }
    HRESULT get_Nombre(BSTR*) override { return E_NOTIMPL; }
    HRESULT put_Nombre(BSTR*) override { return E_NOTIMPL; }
    HRESULT get_Sys_PK(LONG*) override { return E_NOTIMPL; }
    HRESULT get_Sys_GUID(BSTR*) override { return E_NOTIMPL; }
    HRESULT get_ErrorCode(LONG*) override { return E_NOTIMPL; }
    HRESULT get_ErrorDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT SetConnection(nubex::Connection**) override { return E_NOTIMPL; }
    HRESULT NewRecord(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT LoadRecord(LONG*, BSTR*, nubex::Connection**, LONG*, VARIANT_BOOL*) override {
        return E_NOTIMPL;
    }
    HRESULT LoadFromADOConnection(LONG*, BSTR*, nubex::Connection**, VARIANT_BOOL*) override {
        return E_NOTIMPL;
    }
    HRESULT SaveRecord(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT get_CodigoTel(BSTR*) override { return E_NOTIMPL; }
    HRESULT put_CodigoTel(BSTR*) override { return E_NOTIMPL; }
    HRESULT get_Estado(nubex::EdoProv**) override { return E_NOTIMPL; }

  private:
    HRESULT failure_;
    std::u16string description_;
};

}  // namespace

rt::Ref<nubex::Ciudad> NewCityWhoseDeleteFails(HRESULT failure, std::u16string description) {
    return rt::Ref<nubex::Ciudad>(new FailingCiudad(failure, std::move(description)));
}

}  // namespace mundor::testing
