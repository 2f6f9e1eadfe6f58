// A client that knows only COM's binary conventions: it loads the library with dlopen, asks
// DllGetClassObject for a class factory and calls the component's members through raw vtable
// slot numbers, or through the platform's IDispatch by name. It never sees the component's C++
// interface declarations.
#pragma once

#include <dlfcn.h>

#include <cstddef>
#include <stdexcept>
#include <string>

#include "runtime/com_types.h"
#include "runtime/ref.h"

namespace rawcom {

// Slot numbers of _MundorFx after IUnknown (0-2) and IDispatch (3-6): the component's members
// in their declared order (the ones the tests call).
enum Slot : std::size_t {
    kGetLastErrorCode = 7,
    kPutLastErrorCode = 8,
    kGetLastErrorDescrip = 9,
    kPutLastErrorDescrip = 10,
    kDlgPais = 22,
    kSetDataObjects = 25,
};

// The public members of _MundorFx, as its interface description lists them.
inline constexpr const char16_t* kMemberNames[] = {
    u"LastErrorCode",      u"LastErrorDescrip", u"DataObjects",        u"DelCiudad",
    u"DelCiudad_BySysPK",  u"dlgCiudad",        u"dlgCiudad_BySysPK",  u"DelEdoProv",
    u"DelEdoProv_BySysPK", u"dlgEdoProv",       u"dlgEdoProv_BySysPK", u"DelPais",
    u"DelPais_BySysPK",    u"dlgPais",          u"dlgPais_BySysPK",    u"ExplorerCountry",
    u"SetDataObjects"};

inline constexpr GUID kClsidMundorFx = {
    0xE00B7085, 0xB889, 0x41DD, {0xB4, 0x59, 0x0F, 0xAC, 0x14, 0x80, 0xF3, 0xFB}};
inline constexpr GUID kIidMundorFx = {
    0x2F5302AD, 0xE107, 0x42A5, {0x86, 0xB3, 0x82, 0x19, 0x2C, 0x89, 0x02, 0x97}};

// Calls slot `slot` of `object` with the given arguments: the object pointer comes first, as
// the platform's calling convention passes `this`.
template <class... Args>
HRESULT CallSlot(void* object, std::size_t slot, Args... args) {
    void** vtable = *static_cast<void***>(object);
    auto fn = reinterpret_cast<HRESULT (*)(void*, Args...)>(vtable[slot]);
    return fn(object, args...);
}

class Library {
  public:
    explicit Library(const char* path) : handle_(::dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
        if (!handle_) throw std::runtime_error(std::string("dlopen failed: ") + ::dlerror());
    }
    ~Library() { ::dlclose(handle_); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    mundor::rt::Ref<IClassFactory> ClassFactory() const {
        mundor::rt::Ref<IClassFactory> factory;
        Entry<HRESULT (*)(const GUID&, const GUID&, void**)>("DllGetClassObject")(
            kClsidMundorFx, IID_IClassFactory, reinterpret_cast<void**>(factory.put()));
        return factory;
    }
    HRESULT CanUnloadNow() const { return Entry<HRESULT (*)()>("DllCanUnloadNow")(); }
    HRESULT Register() const { return Entry<HRESULT (*)()>("DllRegisterServer")(); }
    HRESULT Unregister() const { return Entry<HRESULT (*)()>("DllUnregisterServer")(); }
    // A new MundorFx through the class factory, as its _MundorFx interface (a dual interface,
    // so it is also the object's IDispatch).
    mundor::rt::Ref<IDispatch> CreateMundorFx() const {
        mundor::rt::Ref<IDispatch> fx;
        if (auto factory = ClassFactory()) {
            factory->CreateInstance(nullptr, kIidMundorFx, reinterpret_cast<void**>(fx.put()));
        }
        return fx;
    }

  private:
    template <class Fn>
    Fn Entry(const char* name) const {
        return reinterpret_cast<Fn>(::dlsym(handle_, name));
    }

    void* handle_;
};

}  // namespace rawcom
