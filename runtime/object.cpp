#include "runtime/object.h"

namespace mundor::rt {

namespace {

class ClassFactory final : public IClassFactory {
  public:
    ClassFactory(CreateInstanceFn create, ModuleLifetime& module)
        : create_(create), module_(module) {
        module_.ObjectCreated();
    }

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!(riid == IID_IUnknown) && !(riid == IID_IClassFactory)) return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        return create_(outer, riid, ppv);
    }
    HRESULT LockServer(int lock) override {
        if (lock) {
            module_.Lock();
        } else {
            module_.Unlock();
        }
        return S_OK;
    }

  private:
    ~ClassFactory() { module_.ObjectDestroyed(); }

    CreateInstanceFn create_;
    ModuleLifetime& module_;
    std::atomic<ULONG> refs_{0};
};

}  // namespace

HRESULT NewClassFactory(CreateInstanceFn create, ModuleLifetime& module, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* factory = new (std::nothrow) ClassFactory(create, module);
    if (!factory) return E_OUTOFMEMORY;
    factory->AddRef();
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

}  // namespace mundor::rt
