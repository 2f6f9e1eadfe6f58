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

using F = rt::Frame;
using enum rt::MemberKind;

rt::Member<TestThing> Row(std::u16string_view name, DISPID id, rt::MemberKind kind,
                          std::vector<rt::Param> params, VARTYPE result,
                          HRESULT (*call)(TestThing&, F&)) {
    return {name, id, kind, std::move(params), result, call};
}

std::u16string TextOf(BSTR s) {
    return {s ? s : u"", SysStringLen(s)};
}

// A member's handler that runs `Body` as a typed member runs: counted, and guarded so that what
// it raises becomes an HRESULT and the thread's error record.
template <auto Body>
HRESULT Run(TestThing& self, F& frame) {
    return rt::Guard([&] {
        ++self.calls;
        Body(self, frame);
    });
}

// other = Me, releasing what the variable held before.
void Adopt(TestThing& self, ITestThing** other) {
    self.AddRef();
    if (*other) (*other)->Release();
    *other = &self;
}

}  // namespace

const rt::DispatchTableBase& TestThing::Table() {
    static const rt::DispatchTable<TestThing> table{
        Row(u"Bump", dispid::Bump, Method, {rt::Long(u"count"), rt::OptLong(u"step", 1)}, VT_I4,
            Run<[](TestThing&, F& f) { *f.RetLong() = *f.Long(0) += *f.Long(1); }>),
        Row(u"Decorate", dispid::Decorate, Method, {rt::Str(u"text"), rt::OptStr(u"suffix")},
            VT_EMPTY, Run<[](TestThing&, F& f) {
                rt::BString decorated(u"[" + TextOf(*f.Str(0)) + u"]" + TextOf(*f.Str(1)));
                SysFreeString(*f.Str(0));
                *f.Str(0) = decorated.Detach();
            }>),
        Row(u"Toggle", dispid::Toggle, Method, {rt::Bool(u"flag")}, VT_EMPTY,
            Run<[](TestThing&, F& f) { *f.Bool(0) = *f.Bool(0) ? VARIANT_FALSE : VARIANT_TRUE; }>),
        Row(u"Adopt", dispid::Adopt, Method, {rt::Obj<ITestThing>(u"other")}, VT_EMPTY,
            Run<[](TestThing& s, F& f) { Adopt(s, f.Obj<ITestThing>(0)); }>),
        Row(u"Stash", dispid::Stash, Method, {rt::Var(u"value")}, VT_VARIANT,
            Run<[](TestThing&, F& f) {
                *f.RetVar() = *f.Var(0);  // the old value moves to the result
                *f.Var(0) = rt::Variant(99).Detach();
            }>),
        Row(u"Name", dispid::Name, Get, {}, VT_BSTR,
            Run<[](TestThing& s, F& f) { *f.RetStr() = rt::BString(s.name).Detach(); }>),
        Row(u"Name", dispid::Name, Put, {rt::Str(u"value")}, VT_EMPTY,
            Run<[](TestThing& s, F& f) { s.name = TextOf(*f.Str(0)); }>),
        Row(u"Fail", dispid::Fail, Method, {rt::Long(u"number"), rt::OptStr(u"description")},
            VT_EMPTY,
            Run<[](TestThing&, F& f) { rt::Raise(*f.Long(0), TextOf(*f.Str(1)), kTestSource); }>),
        Row(u"Configure", dispid::Configure, Method,
            {rt::Long(u"a"), rt::OptBool(u"b", true), rt::OptVar(u"c")}, VT_BSTR,
            Run<[](TestThing&, F& f) {
                const rt::Variant c(*f.Var(2));
                *f.RetStr() = rt::BString(rt::Variant(*f.Long(0)).AsString() + u"|" +
                                          (*f.Bool(1) ? u"True" : u"False") + u"|" +
                                          (c.IsMissing() ? u"missing" : c.AsString()))
                                  .Detach();
            }>),
        Row(u"Unguarded", dispid::Unguarded, Method, {}, VT_EMPTY,
            [](TestThing&, F&) -> HRESULT { throw std::runtime_error("sin guardia"); }),
        Row(u"AdoptThenFail", dispid::AdoptThenFail, Method,
            {rt::Obj<ITestThing>(u"other"), rt::Long(u"count")}, VT_EMPTY,
            Run<[](TestThing& s, F& f) {
                Adopt(s, f.Obj<ITestThing>(0));
                ++*f.Long(1);
                rt::Raise(rt::err::kInvalidCall, u"", kTestSource);
            }>),
        Row(u"Año", dispid::Year, Get, {}, VT_I4,
            Run<[](TestThing&, F& f) { *f.RetLong() = 2024; }>),
    };
    return table;
}

const rt::DispatchTableBase& PlainThing::Table() {
    static const rt::DispatchTable<PlainThing> table{};
    return table;
}

}  // namespace rt_test
