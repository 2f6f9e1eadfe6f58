#include "raw_client.h"

#include <dlfcn.h>

#include <stdexcept>

#include "runtime/bstr.h"

namespace rawcom {

ULONG AddRef(void* object) {
    void** vtable = *static_cast<void***>(object);
    return reinterpret_cast<ULONG (*)(void*)>(vtable[kAddRef])(object);
}

ULONG Release(void* object) {
    void** vtable = *static_cast<void***>(object);
    return reinterpret_cast<ULONG (*)(void*)>(vtable[kRelease])(object);
}

Library::Library(const char* path) : handle_(::dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) throw std::runtime_error(std::string("dlopen failed: ") + ::dlerror());
}

Library::~Library() {
    if (handle_) ::dlclose(handle_);
}

HRESULT Library::GetClassObject(const GUID& clsid, const GUID& iid, void** out) const {
    auto fn = reinterpret_cast<HRESULT (*)(const GUID&, const GUID&, void**)>(
        ::dlsym(handle_, "DllGetClassObject"));
    return fn(clsid, iid, out);
}

HRESULT Library::CanUnloadNow() const {
    return reinterpret_cast<HRESULT (*)()>(::dlsym(handle_, "DllCanUnloadNow"))();
}

HRESULT Library::Register() const {
    return reinterpret_cast<HRESULT (*)()>(::dlsym(handle_, "DllRegisterServer"))();
}

HRESULT Library::Unregister() const {
    return reinterpret_cast<HRESULT (*)()>(::dlsym(handle_, "DllUnregisterServer"))();
}

void* Library::CreateMundorFx() const {
    void* factory = nullptr;
    if (FAILED(GetClassObject(kClsidMundorFx, IID_IClassFactory, &factory))) return nullptr;
    void* fx = nullptr;
    // IClassFactory slot 3 is CreateInstance(outer, riid, ppv).
    CallSlot(factory, 3, static_cast<void*>(nullptr), &kIidMundorFx, &fx);
    Release(factory);
    return fx;
}

DISPID IdOf(void* dispatch, const char16_t* name, HRESULT* hr) {
    std::u16string text(name);
    char16_t* names[] = {text.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT result =
        CallSlot(dispatch, kGetIDsOfNames, &IID_NULL, names, 1u, static_cast<LCID>(0x409), &id);
    if (hr) *hr = result;
    return id;
}

HRESULT InvokeByName(void* dispatch, const char16_t* name, WORD flags,
                     std::vector<VARIANT> argsInOrder, VARIANT* result, EXCEPINFO* excep) {
    HRESULT hr = S_OK;
    const DISPID id = IdOf(dispatch, name, &hr);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(argsInOrder.rbegin(), argsInOrder.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()),
                      put ? 1u : 0u};
    UINT argErr = 0;
    return CallSlot(dispatch, kInvoke, id, &IID_NULL, static_cast<LCID>(0x409), flags, &params,
                    result, excep, &argErr);
}

}  // namespace rawcom
