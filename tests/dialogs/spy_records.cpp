#include "spy_records.h"

#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/object.h"

namespace mundor::dialogs::testing {

namespace {

rt::ModuleLifetime& SpyModule() {
    static rt::ModuleLifetime lifetime;
    return lifetime;
}

std::u16string TextOf(const BSTR* value) {
    return value && *value ? std::u16string(*value, SysStringLen(*value)) : std::u16string();
}

// The members every record has, over the shared SpyData.
template <class Derived, class I>
class SpyBase : public rt::DispatchObject<Derived, I> {
  public:
    explicit SpyBase(std::shared_ptr<SpyData> data)
        : rt::DispatchObject<Derived, I>(SpyModule()), data_(std::move(data)) {}
    static const rt::DispatchTableBase& Table() {
        static const rt::DispatchTable<Derived> table{};
        return table;
    }

    HRESULT get_Codigo(BSTR* result) override { return Get("Codigo", data_->codigo, result); }
    HRESULT put_Codigo(BSTR* value) override { return Put("Codigo", data_->codigo, value); }
    HRESULT get_Nombre(BSTR* result) override { return Get("Nombre", data_->nombre, result); }
    HRESULT put_Nombre(BSTR* value) override { return Put("Nombre", data_->nombre, value); }
    HRESULT get_Sys_PK(LONG* result) override {
        *result = 0;
        return S_OK;
    }
    HRESULT get_Sys_GUID(BSTR* result) override {
        *result = nullptr;
        return S_OK;
    }
    HRESULT get_ErrorCode(LONG* result) override {
        *result = data_->save.stored ? 0 : data_->save.errorCode;
        return S_OK;
    }
    HRESULT get_ErrorDescription(BSTR* result) override {
        *result = rt::BString(data_->save.errorDescription).Detach();
        return S_OK;
    }
    HRESULT SetConnection(nubex::Connection**) override { return Log("SetConnection"); }
    HRESULT NewRecord(VARIANT_BOOL* result) override {
        data_->codigo.clear();
        data_->nombre.clear();
        data_->codigoTel.clear();
        *result = VARIANT_TRUE;
        return Log("NewRecord");
    }
    HRESULT LoadRecord(LONG* sysPk, BSTR*, nubex::Connection** cnn, LONG* mode,
                       VARIANT_BOOL* result) override {
        *result = VARIANT_FALSE;
        return Log("LoadRecord(" + std::to_string(*sysPk) + (cnn && *cnn ? ", Cnn" : "") +
                   ", mode " + std::to_string(*mode) + ")");
    }
    HRESULT LoadFromADOConnection(LONG*, BSTR*, nubex::Connection**, VARIANT_BOOL*) override {
        return E_NOTIMPL;
    }
    HRESULT SaveRecord(VARIANT_BOOL* result) override {
        Log("SaveRecord");
        const SaveOutcome& save = data_->save;
        if (save.raises) {
            return rt::ReportToCaller(rt::RuntimeError(20031, u"Error de la base de datos."));
        }
        if (!save.platformError.empty()) {
            rt::RecordError(rt::RuntimeError(20031, save.platformError));
        }
        *result = save.stored ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT DeleteRecord(VARIANT_BOOL*) override { return E_NOTIMPL; }

  protected:
    HRESULT Log(const std::string& call) {
        data_->log->push_back(data_->name + "." + call);
        return S_OK;
    }
    HRESULT Get(const char* property, const std::u16string& value, BSTR* result) {
        *result = rt::BString(value).Detach();
        return Log(std::string("get_") + property);
    }
    HRESULT Put(const char* property, std::u16string& value, BSTR* given) {
        value = TextOf(given);
        return Log(std::string("put_") + property + "=" + rt::Utf16ToUtf8(value));
    }

    std::shared_ptr<SpyData> data_;
};

// A parent record's data: its own name, the same log.
std::shared_ptr<SpyData> ParentData(const SpyData& child, std::string name) {
    auto parent = std::make_shared<SpyData>();
    parent->name = std::move(name);
    parent->log = child.log;
    return parent;
}

class SpyPais final : public SpyBase<SpyPais, nubex::Pais> {
  public:
    using SpyBase::SpyBase;
    HRESULT get_CodigoTel(BSTR* result) override {
        return Get("CodigoTel", data_->codigoTel, result);
    }
    HRESULT put_CodigoTel(BSTR* value) override {
        return Put("CodigoTel", data_->codigoTel, value);
    }
};

class SpyEdoProv final : public SpyBase<SpyEdoProv, nubex::EdoProv> {
  public:
    explicit SpyEdoProv(std::shared_ptr<SpyData> data)
        : SpyBase(data), pais_(NewSpyPais(ParentData(*data, "Pais"))) {}
    HRESULT get_IPais(nubex::Pais** result) override {
        *result = pais_.CopyOut();
        return S_OK;
    }

  private:
    rt::Ref<nubex::Pais> pais_;
};

class SpyCiudad final : public SpyBase<SpyCiudad, nubex::Ciudad> {
  public:
    explicit SpyCiudad(std::shared_ptr<SpyData> data)
        : SpyBase(data), estado_(NewSpyEdoProv(ParentData(*data, "Estado"))) {}
    HRESULT get_CodigoTel(BSTR* result) override {
        return Get("CodigoTel", data_->codigoTel, result);
    }
    HRESULT put_CodigoTel(BSTR* value) override {
        return Put("CodigoTel", data_->codigoTel, value);
    }
    HRESULT get_Estado(nubex::EdoProv** result) override {
        *result = estado_.CopyOut();
        return S_OK;
    }

  private:
    rt::Ref<nubex::EdoProv> estado_;
};

}  // namespace

rt::Ref<nubex::Pais> NewSpyPais(std::shared_ptr<SpyData> data) {
    return rt::MakeObject<SpyPais>(std::move(data));
}
rt::Ref<nubex::EdoProv> NewSpyEdoProv(std::shared_ptr<SpyData> data) {
    return rt::MakeObject<SpyEdoProv>(std::move(data));
}
rt::Ref<nubex::Ciudad> NewSpyCiudad(std::shared_ptr<SpyData> data) {
    return rt::MakeObject<SpyCiudad>(std::move(data));
}

}  // namespace mundor::dialogs::testing
