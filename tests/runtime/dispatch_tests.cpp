// IDispatch as a COM client drives it: raw vtable slots, GetIDsOfNames, and Invoke with by-value,
// by-reference, optional and named arguments, errors and hostile input. (CallByName's Variant
// variables go by reference in every by-name launcher call of the facade's and browser's tests.)
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "error_from.h"
#include "log_capture.h"
#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "test_thing.h"

namespace rt_test {
namespace {

using namespace dispid;
using mundor::testing::ErrorFrom;
using rt::CallByName;
using rt::CallType;

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;

// An argument as the caller lays it out: borrowed from a Variant, or made by hand.
struct Arg {
    Arg(const VARIANT& raw) : v(raw) {}
    Arg(const rt::Variant& value) : v(value.raw()) {}
    VARIANT v;
};

// One client call: the member, arguments in declared order (borrowed), named arguments, how it
// is called, and what came back.
struct Call {
    DISPID member;
    std::vector<Arg> args = {};
    std::vector<std::pair<DISPID, Arg>> named = {};
    WORD flags = kMethod;
    rt::Variant result = {};
    EXCEPINFO excep{};
    UINT argErr = 999;
    ~Call() { rt::ClearExcepInfo(&excep); }
};

// Lays the arguments out as COM wants them: named ones first, then the positional ones last first.
HRESULT Invoke(IDispatch* target, Call& call) {
    std::vector<VARIANT> rgvarg;
    std::vector<DISPID> names;
    for (const auto& [name, value] : call.named) {
        rgvarg.push_back(value.v);
        names.push_back(name);
    }
    for (auto arg = call.args.rbegin(); arg != call.args.rend(); ++arg) rgvarg.push_back(arg->v);
    DISPPARAMS params{rgvarg.data(), names.data(), static_cast<UINT>(rgvarg.size()),
                      static_cast<UINT>(names.size())};
    return target->Invoke(call.member, IID_NULL, 0, call.flags, &params, call.result.put(),
                          &call.excep, &call.argErr);
}

class DispatchTest : public ::testing::Test {
  protected:
    rt::Ref<TestThing> thing = rt::MakeObject<TestThing>();
    IDispatch* disp = thing.get();
    rt::Variant five{5};
};

TEST_F(DispatchTest, QueryInterfaceAnswersTheChainAndRefusesTheRest) {
    rt::Ref<IUnknown> viaDispatch = thing.As<IDispatch>().As<IUnknown>();
    EXPECT_EQ(viaDispatch.get(), thing.As<IUnknown>().get());
    EXPECT_TRUE(thing.As<ITestThing>());
    void* out = &out;
    EXPECT_EQ(disp->QueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(disp->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(disp->GetTypeInfo(0, 0, &info), E_NOTIMPL);
}

TEST_F(DispatchTest, NamesMatchIgnoringCaseAndAccentedCapitals) {
    const struct {
        std::vector<std::u16string> names;  // a member, then names of its parameters
        HRESULT hr;
        std::vector<DISPID> ids;
    } cases[] = {
        {{u"CONFIGURE", u"C", u"b"}, S_OK, {Configure, 2, 1}},
        {{u"AÑO"}, S_OK, {Year}},
        {{u"bump", u"zancada"}, DISP_E_UNKNOWNNAME, {Bump, DISPID_UNKNOWN}},
        {{u"Bumpy"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
    };
    for (auto c : cases) {
        std::vector<LPOLESTR> raw;
        for (std::u16string& name : c.names) raw.push_back(name.data());
        std::vector<DISPID> ids(raw.size(), 4242);
        const UINT count = static_cast<UINT>(raw.size());
        EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, raw.data(), count, 0, ids.data()), c.hr);
        EXPECT_EQ(ids, c.ids) << rt::Utf16ToUtf8(c.names[0]);
        // Only IID_NULL is a valid interface for the names and for the call.
        EXPECT_EQ(disp->GetIDsOfNames(ITestThing::iid, raw.data(), count, 0, ids.data()),
                  DISP_E_UNKNOWNINTERFACE);
    }
    EXPECT_EQ(disp->Invoke(Name, ITestThing::iid, 0, kGet, nullptr, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(DispatchTest, CallsWriteBackByReferenceVariablesAndFillOmittedArguments) {
    const mundor::testing::LogCapture log;
    LONG count = 10;
    LONG once = 1;
    BSTR text = SysAllocString(u"hola");
    VARIANT_BOOL flag = VARIANT_FALSE;
    VARIANT box = rt::Variant(u"7").Detach();
    auto other = rt::MakeObject<TestThing>();
    const ULONG thingBase = RefCount(disp);
    const ULONG otherBase = RefCount(other.get());
    IDispatch* slot = other.CopyOut();
    IDispatch* empty = nullptr;
    rt::Variant bang(u"!"), zeta(u"zeta"), no(false), four(4), name(u"Lucía");
    struct {
        const char* label;
        Call call;
        rt::Variant result;
    } rows[] = {
        {"Long variable and a step", {Bump, {ByRef(&count), five}}, 15},
        {"String variable", {Decorate, {ByRef(&text), bang}}, {}},
        {"Boolean variable", {Toggle, {ByRef(&flag)}}, {}},
        {"Variant variable, coerced and written back", {Bump, {ByRef(&box)}}, 8},
        {"Object variable, its object replaced", {Adopt, {ByRef(&slot)}}, {}},
        // 99 comes back, which an object variable cannot take: it stays as it was.
        {"Object variable given a number", {Stash, {ByRef(&empty)}}, rt::Variant::Nothing()},
        {"omitted step", {Bump, {ByRef(&once)}}, 2},
        {"omitted b and c", {Configure, {five}}, u"5|True|missing"},
        {"b missing, c given", {Configure, {five, Missing(), zeta}}, u"5|True|zeta"},
        {"b given, c omitted", {Configure, {five, no}}, u"5|False|missing"},
        {"c named", {Configure, {five}, {{2, zeta}}}, u"5|True|zeta"},
        {"all named, out of order", {Configure, {}, {{1, no}, {0, four}}}, u"4|False|missing"},
        {"property put by its named argument", {Name, {}, {{DISPID_PROPERTYPUT, name}}, kPut}, {}},
        {"property read", {Name, {}, {}, kGet}, u"Lucía"},
    };
    for (auto& row : rows) {
        EXPECT_EQ(Invoke(disp, row.call), S_OK) << row.label;
        EXPECT_EQ(row.call.result, row.result) << row.label;
    }
    EXPECT_EQ(count, 15);
    EXPECT_EQ(rt::BString::Attach(text).view(), u"[hola]!");
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(rt::Variant::Attach(box), rt::Variant(8));
    EXPECT_EQ(slot, static_cast<IDispatch*>(thing.get()));
    EXPECT_EQ(RefCount(other.get()), otherBase) << "the replaced object must be released once";
    EXPECT_EQ(RefCount(disp), thingBase + 1) << "the caller's variable holds one reference";
    slot->Release();
    EXPECT_EQ(empty, nullptr);
    const std::vector<std::string> logged = log.TextsOf("runtime");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("error 13 al devolver un argumento por referencia"), std::string::npos)
        << logged[0];
    EXPECT_EQ(once, 2);
}

TEST_F(DispatchTest, ByReferenceVariablesAreWrittenBackEvenWhenTheMemberFails) {
    // Typed variables and Variant variables alike keep what the member left in them, as they
    // would through the vtable; the error still comes back whole.
    IDispatch* other = nullptr;
    LONG count = 1;
    VARIANT otherBox{};
    VARIANT countBox = rt::Variant(LONG{1}).Detach();
    Call typed{AdoptThenFail, {ByRef(&other), ByRef(&count)}};
    Call boxed{AdoptThenFail, {ByRef(&otherBox), ByRef(&countBox)}};
    ASSERT_EQ(Invoke(disp, typed), DISP_E_EXCEPTION);
    ASSERT_EQ(Invoke(disp, boxed), DISP_E_EXCEPTION);

    EXPECT_EQ(static_cast<std::uint32_t>(boxed.excep.scode), 0x800A0005u);
    EXPECT_EQ(rt::LastError().number, rt::err::kInvalidCall);
    EXPECT_TRUE(rt::SameObject<IDispatch>(other, disp));
    EXPECT_EQ(count, 2);
    const rt::Variant otherAfter = rt::Variant::Attach(otherBox);
    EXPECT_TRUE(rt::SameObject<IDispatch>(otherAfter.AsDispatch().get(), disp));
    EXPECT_EQ(rt::Variant::Attach(countBox), rt::Variant(2));
    if (other) other->Release();
}

TEST_F(DispatchTest, RefusedCallsRunNothingAndLeaveTheCallersVariablesAlone) {
    LONG count = 10;
    BSTR text = SysAllocString(u"12");
    const BSTR textBefore = text;
    auto plain = rt::MakeObject<PlainThing>();
    const ULONG plainBase = RefCount(plain.get());
    IDispatch* slot = plain.get();
    rt::Variant letters(u"abc"), zeta(u"zeta"), four(4), null = rt::Variant::Null();
    // Kinds the runtime does not handle, and by-reference values with nothing behind them.
    VARIANT array = Raw(0x2003, nullptr);  // VT_ARRAY | VT_I4
    void* safeArray = &array;
    VARIANT arrayRef = Raw(0x6003, &safeArray);  // by reference, its pointer is a SAFEARRAY**
    VARIANT nullRef = Raw(VT_BYREF | VT_I4, nullptr);
    VARIANT loop = Raw(VT_BYREF | VT_VARIANT, nullptr);
    loop.pvarVal = &loop;
    struct {
        const char* label;
        Call call;
        HRESULT hr;
        std::optional<UINT> argErr = std::nullopt;
    } rows[] = {
        {"unknown member", {4242}, DISP_E_MEMBERNOTFOUND},
        {"a method written as a property", {Bump, {}, {}, kPut}, DISP_E_MEMBERNOTFOUND},
        {"no argument for a required one", {Bump}, DISP_E_PARAMNOTOPTIONAL},
        {"a required argument missing", {Bump, {Missing()}}, DISP_E_PARAMNOTOPTIONAL},
        {"too many arguments", {Bump, {five, five, five}}, DISP_E_BADPARAMCOUNT},
        // Members without parameters refuse any argument, positional or named, like the others.
        {"an argument to a property read", {Year, {five}, {}, kGet}, DISP_E_BADPARAMCOUNT},
        {"a named one to a property read", {Year, {}, {{0, five}}, kGet}, DISP_E_PARAMNOTFOUND},
        {"an argument to a method without parameters", {Unguarded, {five}}, DISP_E_BADPARAMCOUNT},
        // argErr points into rgvarg, which holds the last argument first.
        {"letters for a Long", {Bump, {ByRef(&count), letters}}, DISP_E_TYPEMISMATCH, 0},
        {"a String variable for a Long", {Bump, {ByRef(&text)}}, DISP_E_TYPEMISMATCH, 0},
        {"Null for a String", {Decorate, {null, letters}}, DISP_E_TYPEMISMATCH, 1},
        {"Null written to a String property",
         {Name, {}, {{DISPID_PROPERTYPUT, null}}, kPut},
         DISP_E_TYPEMISMATCH},
        {"an object without the typed interface", {Adopt, {ByRef(&slot)}}, DISP_E_TYPEMISMATCH},
        {"an unknown named parameter", {Configure, {five}, {{7, zeta}}}, DISP_E_PARAMNOTFOUND},
        {"a parameter given twice", {Configure, {five}, {{0, four}}}, DISP_E_PARAMNOTFOUND},
        {"an array for a Long", {Bump, {array}}, DISP_E_BADVARTYPE},
        {"an array for a Variant", {Stash, {array}}, DISP_E_BADVARTYPE},
        {"an array by reference for a Long", {Bump, {arrayRef}}, DISP_E_BADVARTYPE},
        {"an array by reference for a Variant", {Stash, {arrayRef}}, DISP_E_BADVARTYPE},
        {"a null reference for a Long", {Bump, {nullRef}}, DISP_E_TYPEMISMATCH},
        {"a null reference for a Variant", {Stash, {nullRef}}, DISP_E_TYPEMISMATCH},
        {"a Variant that refers to itself for a Long", {Bump, {loop}}, E_INVALIDARG},
        {"a Variant that refers to itself for a Variant", {Stash, {loop}}, E_INVALIDARG},
    };
    for (auto& row : rows) {
        EXPECT_EQ(Invoke(disp, row.call), row.hr) << row.label;
        if (row.argErr) {
            EXPECT_EQ(row.call.argErr, *row.argErr) << row.label;
        }
        EXPECT_EQ(row.call.result.raw().vt, VT_EMPTY) << row.label;
    }
    EXPECT_EQ(thing->calls, 0);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(text, textBefore);
    EXPECT_EQ(rt::BString::Attach(text).view(), u"12");
    EXPECT_EQ(slot, plain.get());
    EXPECT_EQ(RefCount(plain.get()), plainBase);
    EXPECT_EQ(safeArray, static_cast<void*>(&array));
}

TEST_F(DispatchTest, MalformedParametersAreRefusedWithoutCrashing) {
    VARIANT args[2] = {};
    DISPID named[3] = {0, 1, 2};
    DISPPARAMS noArray{nullptr, nullptr, 2, 0}, tooManyNames{args, named, 2, 3},
        noNames{args, nullptr, 2, 1};
    const struct {
        const char* label;
        DISPID member;
        WORD flags;
        DISPPARAMS* params;
        HRESULT hr;
    } cases[] = {
        {"a property read without parameters", Name, kGet, nullptr, S_OK},
        {"a method without parameters", Bump, kMethod, nullptr, DISP_E_PARAMNOTOPTIONAL},
        {"arguments without their array", Bump, kMethod, &noArray, E_INVALIDARG},
        {"more names than arguments", Configure, kMethod, &tooManyNames, E_INVALIDARG},
        {"names without their array", Configure, kMethod, &noNames, E_INVALIDARG},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(disp->Invoke(c.member, IID_NULL, 0, c.flags, c.params, nullptr, nullptr, nullptr),
                  c.hr)
            << c.label;
    }
    EXPECT_EQ(thing->calls, 1) << "only the property read runs";
}

TEST_F(DispatchTest, RaisedErrorsComeBackInExcepInfoAndTheThreadRecord) {
    rt::Variant number(1234), text(u"Algo salió mal");
    Call call{Fail, {number, text}};
    std::memset(&call.excep, 0xA5, sizeof call.excep);  // EXCEPINFO is output only: garbage in
    ASSERT_EQ(Invoke(disp, call), DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(call.excep.scode), 0x800A04D2u);
    EXPECT_EQ(rt::BString(call.excep.bstrDescription).view(), u"Algo salió mal");
    EXPECT_EQ(rt::BString(call.excep.bstrSource).view(), kTestSource);
    EXPECT_EQ(rt::LastError().number, 1234);
    EXPECT_EQ(rt::LastError().description, u"Algo salió mal");
    EXPECT_EQ(rt::LastError().source, kTestSource);

    Call unguarded{Unguarded};  // an exception from a handler never crosses Invoke
    HRESULT hr = S_OK;
    EXPECT_NO_THROW(hr = Invoke(disp, unguarded));
    EXPECT_EQ(hr, DISP_E_EXCEPTION);
    EXPECT_EQ(rt::BString(unguarded.excep.bstrDescription).view(), u"sin guardia");

    // CallByName hands the caller all three, an object's own (negative) number unchanged. (An
    // empty object's 91, refused arguments and a standard number's text reach the browser's and
    // the facade's by-name calls: EscapedError, RawClientTest, LevelTest.AnUnboundFacade...)
    const LONG objectError = static_cast<LONG>(0x80040201u);
    const rt::RuntimeError raised = ErrorFrom(
        [&] { CallByName(disp, u"Fail", CallType::Method, objectError, u"No hay conexión"); });
    EXPECT_EQ(raised.number(), objectError);
    EXPECT_EQ(raised.description(), u"No hay conexión");
    EXPECT_EQ(raised.source(), kTestSource);

    Call year{Year, {}, {}, kGet};  // a call that succeeds, even a bare property read, clears it
    ASSERT_EQ(Invoke(disp, year), S_OK);
    EXPECT_EQ(year.result, rt::Variant(2024));
    EXPECT_EQ(rt::LastError().number, 0);
}

}  // namespace
}  // namespace rt_test
