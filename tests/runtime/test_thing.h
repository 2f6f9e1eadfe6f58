// A small COM class for the runtime tests: a dual interface whose by-name side exercises every
// kind of parameter the dispatch layer handles (by-reference Long, String, Boolean, Object and
// Variant, optional parameters with defaults, a property pair and members that raise errors).
#pragma once

#include <string>

#include "runtime/com_types.h"
#include "runtime/dispatch.h"
#include "runtime/object.h"
#include "runtime/variant.h"

namespace rt_test {

namespace rt = mundor::rt;

struct ITestThing : IDispatch {
    static constexpr IID iid = {
        0x6B1D2C10, 0x3E4F, 0x4A5B, {0x9C, 0x8D, 0x7E, 0x6F, 0x50, 0x41, 0x32, 0x23}};

    virtual HRESULT Bump(LONG* count, LONG* step, LONG* result) = 0;
    virtual HRESULT Decorate(BSTR* text, BSTR* suffix) = 0;
    virtual HRESULT Toggle(VARIANT_BOOL* flag) = 0;
    virtual HRESULT Adopt(ITestThing** other) = 0;
    virtual HRESULT Stash(VARIANT* value, VARIANT* result) = 0;
    virtual HRESULT get_Name(BSTR* result) = 0;
    virtual HRESULT put_Name(BSTR* value) = 0;
    virtual HRESULT Fail(LONG* number, BSTR* description) = 0;
    virtual HRESULT Configure(LONG* a, VARIANT_BOOL* b, VARIANT* c, BSTR* result) = 0;
};

namespace dispid {
inline constexpr DISPID Bump = 1;
inline constexpr DISPID Decorate = 2;
inline constexpr DISPID Toggle = 3;
inline constexpr DISPID Adopt = 4;
inline constexpr DISPID Stash = 5;
inline constexpr DISPID Name = 6;
inline constexpr DISPID Fail = 7;
inline constexpr DISPID Configure = 8;
inline constexpr DISPID Unguarded = 9;
inline constexpr DISPID Year = 10;
inline constexpr DISPID AdoptThenFail = 11;
}  // namespace dispid

inline constexpr CLSID kTestThingClsid = {
    0x0C2B7E51, 0x9A40, 0x4C3D, {0xA1, 0x12, 0x23, 0x34, 0x45, 0x56, 0x67, 0x78}};
inline constexpr const char16_t* kTestSource = u"Pruebas.Cosa";

rt::ModuleLifetime& TestModule();

// Bump(ByRef count As Long, Optional step As Long = 1) As Long: count += step, returns count.
// Decorate(ByRef text As String, Optional suffix As String): text = "[" & text & "]" & suffix.
// Toggle(ByRef flag As Boolean): flag = Not flag.
// Adopt(ByRef other As ITestThing): other = Me.
// Stash(ByRef value As Variant) As Variant: returns the old value and sets value to 99.
// Name: a String property. Fail(number, Optional description): raises that error.
// Configure(a As Long, Optional b As Boolean = True, Optional c As Variant) As String: "a|b|c".
// Unguarded: a member whose handler throws without a guard. Año: a read-only Long.
// AdoptThenFail(ByRef other, ByRef count), by name only: other = Me, count += 1, then error 5.
class TestThing final : public rt::DispatchObject<TestThing, ITestThing> {
  public:
    TestThing() : DispatchObject(TestModule()) {}
    static const rt::DispatchTableBase& Table();

    HRESULT Bump(LONG* count, LONG* step, LONG* result) override;
    HRESULT Decorate(BSTR* text, BSTR* suffix) override;
    HRESULT Toggle(VARIANT_BOOL* flag) override;
    HRESULT Adopt(ITestThing** other) override;
    HRESULT Stash(VARIANT* value, VARIANT* result) override;
    HRESULT get_Name(BSTR* result) override;
    HRESULT put_Name(BSTR* value) override;
    HRESULT Fail(LONG* number, BSTR* description) override;
    HRESULT Configure(LONG* a, VARIANT_BOOL* b, VARIANT* c, BSTR* result) override;

    int calls = 0;  // members that ran

  private:
    std::u16string name_;
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

// By-reference VARIANTs as a client builds them for its own variables.
VARIANT ByRef(LONG* target);
VARIANT ByRef(BSTR* target);
VARIANT ByRef(VARIANT_BOOL* target);
VARIANT ByRef(IDispatch** target);
VARIANT ByRef(VARIANT* target);
VARIANT Missing();

}  // namespace rt_test
