// Building blocks for COM objects: the per-library count of live objects and locks (what
// DllCanUnloadNow answers from), the reference-counted dual-interface base, and class factories.
#pragma once

#include <atomic>
#include <new>
#include <type_traits>

#include "runtime/com_types.h"
#include "runtime/dispatch.h"
#include "runtime/error.h"
#include "runtime/export.h"
#include "runtime/ref.h"

namespace mundor::rt {

class ModuleLifetime {
  public:
    void ObjectCreated() { ++objects_; }
    void ObjectDestroyed() { --objects_; }
    void Lock() { ++locks_; }
    // An unbalanced unlock is ignored rather than leaving the library pinned forever.
    void Unlock() {
        long current = locks_.load();
        while (current > 0 && !locks_.compare_exchange_weak(current, current - 1)) {
        }
    }
    long objects() const { return objects_; }
    long locks() const { return locks_; }
    bool CanUnload() const { return objects_ == 0 && locks_ == 0; }

  private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

// Interfaces may name the interface they extend with `using base = ...;` so that a query for
// any interface of the chain finds the object.
template <class I>
bool InterfaceChainHas(REFIID riid) {
    if (riid == uuidof<I>()) return true;
    if constexpr (requires { typename I::base; }) {
        return InterfaceChainHas<typename I::base>(riid);
    } else {
        return false;
    }
}

// Implements IUnknown and IDispatch for a class whose primary interface is a dual interface.
// Derived provides `static const DispatchTableBase& Table();` and is `final`.
template <class Derived, class Primary>
class DispatchObject : public Primary {
  public:
    explicit DispatchObject(ModuleLifetime& module) : module_(module) { module_.ObjectCreated(); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || InterfaceChainHas<Primary>(riid)) {
            *ppv = static_cast<Primary*>(this);
        } else if (!static_cast<Derived*>(this)->QueryExtraInterface(riid, ppv)) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        return CachedTable().GetIDsOfNames(names, count, ids);
    }
    HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excep, UINT* argErr) override {
        if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        return CachedTable().Invoke(static_cast<Derived*>(this), static_cast<Primary*>(this), id,
                                    flags, params, result, excep, argErr);
    }

    // Derived may answer further interfaces that are not in its primary chain.
    bool QueryExtraInterface(REFIID, void**) { return false; }

  protected:
    ~DispatchObject() { module_.ObjectDestroyed(); }
    ULONG refCount() const { return refs_; }

  private:
    // Derived::Table() builds the table on first use; the reference kept here spares every later
    // call its out-of-line guard, which costs more than a property read.
    static const DispatchTableBase& CachedTable() {
        static const DispatchTableBase& table = Derived::Table();
        return table;
    }

    ModuleLifetime& module_;
    std::atomic<ULONG> refs_{0};
};

// Creates a new T and hands out the asked interface (the shape of IClassFactory::CreateInstance).
template <class T>
HRESULT CreateInstanceOf(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    T* object = nullptr;
    try {
        object = new T();
    } catch (...) {
        return ReportCurrentException();
    }
    object->AddRef();
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

// Makes a new T and returns a counted reference to it, for C++ code inside one library.
template <class T, class... Args>
Ref<T> MakeObject(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

using CreateInstanceFn = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

// A class factory over a creation function; it counts towards its library's lifetime.
MUNDOR_API HRESULT NewClassFactory(CreateInstanceFn create, ModuleLifetime& module, REFIID riid,
                                   void** ppv);

}  // namespace mundor::rt
