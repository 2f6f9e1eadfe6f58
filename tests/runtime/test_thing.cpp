#include "test_thing.h"

#include <stdexcept>

#include "runtime/bstr.h"
#include "runtime/error.h"

namespace rt_test {

rt::ModuleLifetime& TestModule() {
    static rt::ModuleLifetime lifetime;
    return lifetime;
}

namespace {
std::u16string TextOf(BSTR s) {
    return {s ? s : u"", SysStringLen(s)};
}
}  // namespace

HRESULT TestThing::Bump(LONG* count, LONG* step, LONG* result) {
    return rt::Guard([&] {
        ++calls;
        *count += *step;
        *result = *count;
    });
}

HRESULT TestThing::Decorate(BSTR* text, BSTR* suffix) {
    return rt::Guard([&] {
        ++calls;
        rt::BString decorated(u"[" + TextOf(*text) + u"]" + TextOf(*suffix));
        SysFreeString(*text);
        *text = decorated.Detach();
    });
}

HRESULT TestThing::Toggle(VARIANT_BOOL* flag) {
    return rt::Guard([&] {
        ++calls;
        *flag = *flag ? VARIANT_FALSE : VARIANT_TRUE;
    });
}

HRESULT TestThing::Adopt(ITestThing** other) {
    return rt::Guard([&] {
        ++calls;
        AddRef();
        if (*other) (*other)->Release();
        *other = this;
    });
}

HRESULT TestThing::Stash(VARIANT* value, VARIANT* result) {
    return rt::Guard([&] {
        ++calls;
        rt::ThrowIfFailed(VariantCopy(result, value));
        VariantClear(value);
        value->vt = VT_I4;
        value->lVal = 99;
    });
}

HRESULT TestThing::get_Name(BSTR* result) {
    return rt::Guard([&] { *result = rt::BString(name_).Detach(); });
}

HRESULT TestThing::put_Name(BSTR* value) {
    return rt::Guard([&] {
        ++calls;
        name_ = TextOf(*value);
    });
}

HRESULT TestThing::Fail(LONG* number, BSTR* description) {
    return rt::Guard([&] {
        ++calls;
        rt::Raise(*number, TextOf(*description), kTestSource);
    });
}

HRESULT TestThing::Configure(LONG* a, VARIANT_BOOL* b, VARIANT* c, BSTR* result) {
    return rt::Guard([&] {
        ++calls;
        const rt::Variant given(*c);
        const std::u16string third = given.IsMissing() ? u"missing" : given.AsString();
        const std::u16string text =
            rt::Variant(*a).AsString() + u"|" + (*b ? u"True" : u"False") + u"|" + third;
        *result = rt::BString(text).Detach();
    });
}

const rt::DispatchTableBase& TestThing::Table() {
    using F = rt::Frame;
    using rt::MemberKind;
    static const rt::DispatchTable<TestThing> table{
        {u"Bump",
         dispid::Bump,
         MemberKind::Method,
         {rt::Long(u"count"), rt::OptLong(u"step", 1)},
         VT_I4,
         [](TestThing& s, F& f) { return s.Bump(f.Long(0), f.Long(1), f.RetLong()); }},
        {u"Decorate",
         dispid::Decorate,
         MemberKind::Method,
         {rt::Str(u"text"), rt::OptStr(u"suffix")},
         VT_EMPTY,
         [](TestThing& s, F& f) { return s.Decorate(f.Str(0), f.Str(1)); }},
        {u"Toggle",
         dispid::Toggle,
         MemberKind::Method,
         {rt::Bool(u"flag")},
         VT_EMPTY,
         [](TestThing& s, F& f) { return s.Toggle(f.Bool(0)); }},
        {u"Adopt",
         dispid::Adopt,
         MemberKind::Method,
         {rt::Obj<ITestThing>(u"other")},
         VT_EMPTY,
         [](TestThing& s, F& f) { return s.Adopt(f.Obj<ITestThing>(0)); }},
        {u"Stash",
         dispid::Stash,
         MemberKind::Method,
         {rt::Var(u"value")},
         VT_VARIANT,
         [](TestThing& s, F& f) { return s.Stash(f.Var(0), f.RetVar()); }},
        {u"Name",
         dispid::Name,
         MemberKind::Get,
         {},
         VT_BSTR,
         [](TestThing& s, F& f) { return s.get_Name(f.RetStr()); }},
        {u"Name",
         dispid::Name,
         MemberKind::Put,
         {rt::Str(u"value")},
         VT_EMPTY,
         [](TestThing& s, F& f) { return s.put_Name(f.Str(0)); }},
        {u"Fail",
         dispid::Fail,
         MemberKind::Method,
         {rt::Long(u"number"), rt::OptStr(u"description")},
         VT_EMPTY,
         [](TestThing& s, F& f) { return s.Fail(f.Long(0), f.Str(1)); }},
        {u"Configure",
         dispid::Configure,
         MemberKind::Method,
         {rt::Long(u"a"), rt::OptBool(u"b", true), rt::OptVar(u"c")},
         VT_BSTR,
         [](TestThing& s, F& f) {
             return s.Configure(f.Long(0), f.Bool(1), f.Var(2), f.RetStr());
         }},
        {u"Unguarded",
         dispid::Unguarded,
         MemberKind::Method,
         {},
         VT_EMPTY,
         [](TestThing&, F&) -> HRESULT { throw std::runtime_error("sin guardia"); }},
        {u"AdoptThenFail",
         dispid::AdoptThenFail,
         MemberKind::Method,
         {rt::Obj<ITestThing>(u"other"), rt::Long(u"count")},
         VT_EMPTY,
         [](TestThing& s, F& f) {
             s.Adopt(f.Obj<ITestThing>(0));
             ++*f.Long(1);
             LONG number = rt::err::kInvalidCall;
             BSTR noDescription = nullptr;
             return s.Fail(&number, &noDescription);
         }},
        {u"Año",
         dispid::Year,
         MemberKind::Get,
         {},
         VT_I4,
         [](TestThing&, F& f) {
             *f.RetLong() = 2024;
             return S_OK;
         }},
    };
    return table;
}

const rt::DispatchTableBase& PlainThing::Table() {
    static const rt::DispatchTable<PlainThing> table{};
    return table;
}

namespace {
VARIANT RefOf(VARTYPE type, void* target) {
    VARIANT v;
    VariantInit(&v);
    v.vt = static_cast<VARTYPE>(VT_BYREF | type);
    v.byref = target;
    return v;
}
}  // namespace

VARIANT ByRef(LONG* target) {
    return RefOf(VT_I4, target);
}
VARIANT ByRef(BSTR* target) {
    return RefOf(VT_BSTR, target);
}
VARIANT ByRef(VARIANT_BOOL* target) {
    return RefOf(VT_BOOL, target);
}
VARIANT ByRef(IDispatch** target) {
    return RefOf(VT_DISPATCH, target);
}
VARIANT ByRef(VARIANT* target) {
    return RefOf(VT_VARIANT, target);
}
VARIANT Missing() {
    return rt::Variant::Missing().Detach();
}

}  // namespace rt_test
