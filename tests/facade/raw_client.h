// A client that knows only COM's binary conventions: it loads the library with dlopen, asks
// DllGetClassObject for a class factory and calls every member through raw vtable slot numbers
// or through IDispatch by name. It never sees the component's C++ interface declarations.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/com_types.h"

namespace rawcom {

// Slot numbers of _MundorFx: IUnknown 0-2, IDispatch 3-6, then the component's members in
// their declared order (the ones the tests call).
enum Slot : std::size_t {
    kQueryInterface = 0,
    kAddRef = 1,
    kRelease = 2,
    kGetIDsOfNames = 5,
    kInvoke = 6,
    kGetLastErrorCode = 7,
    kPutLastErrorCode = 8,
    kGetLastErrorDescrip = 9,
    kPutLastErrorDescrip = 10,
    kGetDataObjects = 11,
    kDlgPais = 22,
    kSetDataObjects = 25,
};

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

ULONG AddRef(void* object);
ULONG Release(void* object);

class Library {
  public:
    explicit Library(const char* path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    HRESULT GetClassObject(const GUID& clsid, const GUID& iid, void** out) const;
    HRESULT CanUnloadNow() const;
    HRESULT Register() const;
    HRESULT Unregister() const;
    // A new MundorFx through the class factory, as its _MundorFx interface (one reference).
    void* CreateMundorFx() const;

  private:
    void* handle_ = nullptr;
};

// Late-bound calls through IDispatch.
DISPID IdOf(void* dispatch, const char16_t* name, HRESULT* hr = nullptr);
HRESULT InvokeByName(void* dispatch, const char16_t* name, WORD flags,
                     std::vector<VARIANT> argsInOrder, VARIANT* result, EXCEPINFO* excep = nullptr);

}  // namespace rawcom
