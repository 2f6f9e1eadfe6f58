// A small COM class for the runtime tests, served by name only: its members exercise every kind
// of parameter the dispatch layer handles (by-reference Long, String, Boolean, Object and
// Variant, optional parameters with defaults, a property pair and members that raise errors).
//
// Bump(ByRef count As Long, Optional step As Long = 1) As Long: count += step, returns count.
// Decorate(ByRef text As String, Optional suffix As String): text = "[" & text & "]" & suffix.
// Toggle(ByRef flag As Boolean): flag = Not flag.
// Adopt(ByRef other As ITestThing): other = Me.
// Stash(ByRef value As Variant) As Variant: returns the old value and sets value to 99.
// Name: a String property. Fail(number, Optional description): raises that error.
// Configure(a As Long, Optional b As Boolean = True, Optional c As Variant) As String: "a|b|c".
// Unguarded: a member whose handler throws without a guard. Año: a read-only Long (2024).
// AdoptThenFail(ByRef other, ByRef count): other = Me, count += 1, then error 5.
#pragma once

#include <string>
#include <type_traits>

#include "runtime/com_types.h"
#include "runtime/dispatch.h"
#include "runtime/object.h"
#include "runtime/variant.h"

namespace rt_test {

namespace rt = mundor::rt;

// The typed interface an Object parameter asks for; a plain dispatch object lacks it.
struct ITestThing : IDispatch {
    static constexpr IID iid = {
        0x6B1D2C10, 0x3E4F, 0x4A5B, {0x9C, 0x8D, 0x7E, 0x6F, 0x50, 0x41, 0x32, 0x23}};
};

namespace dispid {
enum : DISPID { Bump = 1, Decorate, Toggle, Adopt, Stash, Name };
enum : DISPID { Fail = Name + 1, Configure, Unguarded, Year, AdoptThenFail };
}  // namespace dispid

inline constexpr const char16_t* kTestSource = u"Pruebas.Cosa";

rt::ModuleLifetime& TestModule();

class TestThing final : public rt::DispatchObject<TestThing, ITestThing> {
  public:
    TestThing() : DispatchObject(TestModule()) {}
    static const rt::DispatchTableBase& Table();

    int calls = 0;  // members that ran
    std::u16string name;
};

// A dispatch object that does not implement ITestThing.
class PlainThing final : public rt::DispatchObject<PlainThing, IDispatch> {
  public:
    PlainThing() : DispatchObject(TestModule()) {}
    static const rt::DispatchTableBase& Table();
};

// The reference count an object holds right now.
inline ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

// A VARIANT of any kind, even one the runtime does not handle, holding `pointer`.
inline VARIANT Raw(VARTYPE vt, void* pointer) {
    VARIANT v{};
    v.vt = vt;
    v.byref = pointer;
    return v;
}

// By-reference VARIANTs as a client builds them for its own Long, String, Boolean, Object and
// Variant variables.
template <class T>
constexpr VARTYPE kKindOf = std::is_same_v<T, LONG>           ? VT_I4
                            : std::is_same_v<T, BSTR>         ? VT_BSTR
                            : std::is_same_v<T, VARIANT_BOOL> ? VT_BOOL
                            : std::is_same_v<T, IDispatch*>   ? VT_DISPATCH
                            : std::is_same_v<T, VARIANT>      ? VT_VARIANT
                                                              : VT_EMPTY;
template <class T>
VARIANT ByRef(T* target) {
    static_assert(kKindOf<T> != VT_EMPTY, "a variable of a kind clients pass by reference");
    return Raw(VT_BYREF | kKindOf<T>, target);
}
inline VARIANT Missing() {
    return rt::Variant::Missing().Detach();
}

}  // namespace rt_test
