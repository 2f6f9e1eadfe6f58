// IDispatch as a COM client drives it: raw vtable slots, GetIDsOfNames, and Invoke with by-value,
// by-reference, optional and named arguments, errors and hostile input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "log_capture.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "test_thing.h"

namespace rt_test {
namespace {

// One client call: arguments in declared order (borrowed), named arguments, and what came back.
struct Call {
    std::vector<VARIANT> args;
    std::vector<std::pair<DISPID, VARIANT>> named;
    rt::Variant result;
    EXCEPINFO excep{};
    UINT argErr = 999;
    ~Call() { rt::ClearExcepInfo(&excep); }
};

// Lays the arguments out as COM wants them: named ones first, then the positional ones last first.
HRESULT Invoke(IDispatch* target, DISPID id, WORD flags, Call& call) {
    std::vector<VARIANT> rgvarg;
    std::vector<DISPID> names;
    for (const auto& [name, value] : call.named) {
        rgvarg.push_back(value);
        names.push_back(name);
    }
    rgvarg.insert(rgvarg.end(), call.args.rbegin(), call.args.rend());
    DISPPARAMS params{rgvarg.data(), names.data(), static_cast<UINT>(rgvarg.size()),
                      static_cast<UINT>(names.size())};
    return target->Invoke(id, IID_NULL, 0, flags, &params, call.result.put(), &call.excep,
                          &call.argErr);
}

HRESULT Method(IDispatch* target, DISPID id, Call& call) {
    return Invoke(target, id, DISPATCH_METHOD, call);
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
    std::u16string names[] = {u"CONFIGURE", u"C", u"b"};
    LPOLESTR raw[] = {names[0].data(), names[1].data(), names[2].data()};
    DISPID ids[3] = {};
    ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, raw, 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], dispid::Configure);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], 1);

    std::u16string year = u"AÑO";
    LPOLESTR yearName[] = {year.data()};
    ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, yearName, 1, 0, ids), S_OK);
    EXPECT_EQ(ids[0], dispid::Year);
}

TEST_F(DispatchTest, UnknownNamesAndInterfacesAreRefused) {
    std::u16string names[] = {u"bump", u"zancada"};
    LPOLESTR raw[] = {names[0].data(), names[1].data()};
    DISPID ids[2] = {};
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, raw, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], dispid::Bump);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    std::u16string missing = u"Bumpy";
    LPOLESTR one[] = {missing.data()};
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, one, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(disp->GetIDsOfNames(ITestThing::iid, one, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);
    Call call;
    EXPECT_EQ(disp->Invoke(dispid::Name, ITestThing::iid, 0, DISPATCH_PROPERTYGET, nullptr, nullptr,
                           nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(Method(disp, 4242, call), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Invoke(disp, dispid::Bump, DISPATCH_PROPERTYPUT, call), DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchTest, ByReferenceVariablesAreWrittenBack) {
    LONG count = 10;
    BSTR text = SysAllocString(u"hola");
    VARIANT_BOOL flag = VARIANT_FALSE;
    VARIANT box = rt::Variant(u"7").Detach();
    rt::Variant bang(u"!");

    Call bump, decorate, toggle, boxed;
    bump.args = {ByRef(&count), five.raw()};
    decorate.args = {ByRef(&text), bang.raw()};
    toggle.args = {ByRef(&flag)};
    boxed.args = {ByRef(&box)};
    ASSERT_EQ(Method(disp, dispid::Bump, bump), S_OK);
    ASSERT_EQ(Method(disp, dispid::Decorate, decorate), S_OK);
    ASSERT_EQ(Method(disp, dispid::Toggle, toggle), S_OK);
    ASSERT_EQ(Method(disp, dispid::Bump, boxed), S_OK);

    EXPECT_EQ(count, 15);
    EXPECT_EQ(bump.result, rt::Variant(15));
    EXPECT_EQ(rt::BString::Attach(text).view(), u"[hola]!");
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(rt::Variant::Attach(box), rt::Variant(8));
}

TEST_F(DispatchTest, ByReferenceVariablesAreWrittenBackEvenWhenTheMemberFails) {
    // Typed variables and Variant variables alike keep what the member left in them, as they
    // would through the vtable; the error still comes back whole.
    IDispatch* other = nullptr;
    LONG count = 1;
    VARIANT otherBox;
    VariantInit(&otherBox);
    VARIANT countBox = rt::Variant(LONG{1}).Detach();
    Call typed, boxed;
    typed.args = {ByRef(&other), ByRef(&count)};
    boxed.args = {ByRef(&otherBox), ByRef(&countBox)};
    ASSERT_EQ(Method(disp, dispid::AdoptThenFail, typed), DISP_E_EXCEPTION);
    ASSERT_EQ(Method(disp, dispid::AdoptThenFail, boxed), DISP_E_EXCEPTION);

    EXPECT_EQ(static_cast<std::uint32_t>(boxed.excep.scode), 0x800A0005u);
    EXPECT_EQ(rt::LastError().number, rt::err::kInvalidCall);
    EXPECT_TRUE(rt::SameObject<IDispatch>(other, disp));
    EXPECT_EQ(count, 2);
    const rt::Variant otherAfter = rt::Variant::Attach(otherBox);
    EXPECT_TRUE(rt::SameObject<IDispatch>(otherAfter.AsDispatch().get(), disp));
    EXPECT_EQ(rt::Variant::Attach(countBox), rt::Variant(2));
    if (other) other->Release();
}

TEST_F(DispatchTest, AValueTheCallersVariableCannotTakeLeavesItAsItWasAndIsLogged) {
    const mundor::testing::LogCapture log;
    IDispatch* slot = nullptr;
    Call call;
    call.args = {ByRef(&slot)};  // Stash leaves 99, which an object variable cannot hold

    ASSERT_EQ(Method(disp, dispid::Stash, call), S_OK);

    EXPECT_EQ(slot, nullptr);
    const std::vector<std::string> logged = log.TextsOf("runtime");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("error 13 al devolver un argumento por referencia"), std::string::npos)
        << logged[0];
}

TEST_F(DispatchTest, ByReferenceObjectIsReplacedWithExactCounts) {
    auto other = rt::MakeObject<TestThing>();
    const ULONG thingBase = RefCount(disp);
    const ULONG otherBase = RefCount(other.get());
    IDispatch* slot = other.CopyOut();
    Call call;
    call.args = {ByRef(&slot)};
    ASSERT_EQ(Method(disp, dispid::Adopt, call), S_OK);
    EXPECT_EQ(slot, static_cast<IDispatch*>(thing.get()));
    EXPECT_EQ(RefCount(other.get()), otherBase) << "the replaced object must be released once";
    EXPECT_EQ(RefCount(disp), thingBase + 1) << "the caller's variable holds one reference";
    slot->Release();
}

TEST_F(DispatchTest, ObjectWithoutTheTypedInterfaceIsAMismatch) {
    auto plain = rt::MakeObject<PlainThing>();
    const ULONG base = RefCount(plain.get());
    IDispatch* slot = plain.get();
    Call call;
    call.args = {ByRef(&slot)};
    EXPECT_EQ(Method(disp, dispid::Adopt, call), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(slot, plain.get());
    EXPECT_EQ(RefCount(plain.get()), base);
    EXPECT_EQ(thing->calls, 0);
}

TEST_F(DispatchTest, OmittedOptionalArgumentsTakeTheirDefaults) {
    rt::Variant zeta(u"zeta"), no(false);
    const auto configure = [&](std::vector<VARIANT> args) {
        Call call;
        call.args = std::move(args);
        EXPECT_EQ(Method(disp, dispid::Configure, call), S_OK);
        return call.result.AsString();
    };
    EXPECT_EQ(configure({five.raw()}), u"5|True|missing");
    EXPECT_EQ(configure({five.raw(), Missing(), zeta.raw()}), u"5|True|zeta");
    EXPECT_EQ(configure({five.raw(), no.raw()}), u"5|False|missing");

    LONG count = 1;
    Call bump;
    bump.args = {ByRef(&count)};
    ASSERT_EQ(Method(disp, dispid::Bump, bump), S_OK);
    EXPECT_EQ(count, 2);
}

TEST_F(DispatchTest, WrongArgumentCountsAreRefusedBeforeTheCall) {
    Call none, missing, tooMany;
    missing.args = {Missing()};
    tooMany.args = {five.raw(), five.raw(), five.raw()};
    EXPECT_EQ(Method(disp, dispid::Bump, none), DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(Method(disp, dispid::Bump, missing), DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(Method(disp, dispid::Bump, tooMany), DISP_E_BADPARAMCOUNT);
    // Members without parameters refuse any argument, positional or named, like the others.
    Call yearWithOne, yearWithNamed, unguardedWithOne;
    yearWithOne.args = {five.raw()};
    yearWithNamed.named = {{0, five.raw()}};
    unguardedWithOne.args = {five.raw()};
    EXPECT_EQ(Invoke(disp, dispid::Year, DISPATCH_PROPERTYGET, yearWithOne), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Invoke(disp, dispid::Year, DISPATCH_PROPERTYGET, yearWithNamed),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(Method(disp, dispid::Unguarded, unguardedWithOne), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(yearWithOne.result.raw().vt, VT_EMPTY);
    EXPECT_EQ(thing->calls, 0);
}

TEST_F(DispatchTest, TypeMismatchPointsAtTheArgumentAndChangesNothing) {
    LONG count = 10;
    rt::Variant letters(u"abc");
    Call call;
    call.args = {ByRef(&count), letters.raw()};
    EXPECT_EQ(Method(disp, dispid::Bump, call), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(call.argErr, 0u);  // the second argument sits first in rgvarg
    EXPECT_EQ(count, 10);

    BSTR text = SysAllocString(u"12");
    BSTR before = text;
    Call wrongKind;  // a String variable cannot receive a Long back
    wrongKind.args = {ByRef(&text)};
    EXPECT_EQ(Method(disp, dispid::Bump, wrongKind), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(wrongKind.argErr, 0u);
    EXPECT_EQ(text, before);
    EXPECT_EQ(rt::BString::Attach(text).view(), u"12");

    Call nullText;
    nullText.args = {rt::Variant::Null().Detach(), letters.raw()};
    EXPECT_EQ(Method(disp, dispid::Decorate, nullText), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(nullText.argErr, 1u);
    EXPECT_EQ(thing->calls, 0);
}

TEST_F(DispatchTest, PropertyPutUsesTheNamedPutArgument) {
    rt::Variant name(u"Lucía");
    Call put, get, badPut;
    put.named = {{DISPID_PROPERTYPUT, name.raw()}};
    ASSERT_EQ(Invoke(disp, dispid::Name, DISPATCH_PROPERTYPUT, put), S_OK);
    ASSERT_EQ(Invoke(disp, dispid::Name, DISPATCH_PROPERTYGET, get), S_OK);
    EXPECT_EQ(get.result, rt::Variant(u"Lucía"));

    badPut.named = {{DISPID_PROPERTYPUT, rt::Variant::Null().Detach()}};
    EXPECT_EQ(Invoke(disp, dispid::Name, DISPATCH_PROPERTYPUT, badPut), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Invoke(disp, dispid::Name, DISPATCH_PROPERTYGET, get), S_OK);
    EXPECT_EQ(get.result, rt::Variant(u"Lucía"));
}

TEST_F(DispatchTest, NamedArgumentsGoToTheirParameters) {
    rt::Variant zeta(u"zeta"), no(false), four(4);
    Call mixed, allNamed, unknownName, twice;
    mixed.args = {five.raw()};
    mixed.named = {{2, zeta.raw()}};
    ASSERT_EQ(Method(disp, dispid::Configure, mixed), S_OK);
    EXPECT_EQ(mixed.result.AsString(), u"5|True|zeta");

    allNamed.named = {{1, no.raw()}, {0, four.raw()}};
    ASSERT_EQ(Method(disp, dispid::Configure, allNamed), S_OK);
    EXPECT_EQ(allNamed.result.AsString(), u"4|False|missing");

    unknownName.args = {five.raw()};
    unknownName.named = {{7, zeta.raw()}};
    EXPECT_TRUE(FAILED(Method(disp, dispid::Configure, unknownName)));
    twice.args = {five.raw()};
    twice.named = {{0, four.raw()}};
    EXPECT_TRUE(FAILED(Method(disp, dispid::Configure, twice)));
    EXPECT_EQ(thing->calls, 2);
}

TEST_F(DispatchTest, RaisedErrorsComeBackInExcepInfoAndTheThreadRecord) {
    rt::Variant number(1234), text(u"Algo salió mal");
    Call call;
    call.args = {number.raw(), text.raw()};
    std::memset(&call.excep, 0xA5, sizeof call.excep);  // EXCEPINFO is output only: garbage in
    ASSERT_EQ(Method(disp, dispid::Fail, call), DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(call.excep.scode), 0x800A04D2u);
    EXPECT_EQ(rt::BString(call.excep.bstrDescription).view(), u"Algo salió mal");
    EXPECT_EQ(rt::BString(call.excep.bstrSource).view(), kTestSource);
    EXPECT_EQ(rt::LastError().number, 1234);
    EXPECT_EQ(rt::LastError().description, u"Algo salió mal");
    EXPECT_EQ(rt::LastError().source, kTestSource);

    rt::Variant notSet(91);
    Call standard;
    standard.args = {notSet.raw()};
    ASSERT_EQ(Method(disp, dispid::Fail, standard), DISP_E_EXCEPTION);
    EXPECT_EQ(rt::BString(standard.excep.bstrDescription).view(),
              u"Variable de objeto o bloque With no establecida");

    Call year;  // a call that succeeds, even a bare property read, clears the record
    ASSERT_EQ(Invoke(disp, dispid::Year, DISPATCH_PROPERTYGET, year), S_OK);
    EXPECT_EQ(year.result, rt::Variant(2024));
    EXPECT_EQ(rt::LastError().number, 0);
}

TEST_F(DispatchTest, AnExceptionFromAHandlerNeverCrossesInvoke) {
    Call call;
    HRESULT hr = S_OK;
    EXPECT_NO_THROW(hr = Method(disp, dispid::Unguarded, call));
    EXPECT_EQ(hr, DISP_E_EXCEPTION);
    EXPECT_EQ(rt::BString(call.excep.bstrDescription).view(), u"sin guardia");
}

TEST_F(DispatchTest, MalformedParametersAreRefusedWithoutCrashing) {
    EXPECT_EQ(disp->Invoke(dispid::Name, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, nullptr,
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(disp->Invoke(dispid::Bump, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr,
                           nullptr),
              DISP_E_PARAMNOTOPTIONAL);
    DISPPARAMS noArray{nullptr, nullptr, 2, 0};
    EXPECT_TRUE(FAILED(disp->Invoke(dispid::Bump, IID_NULL, 0, DISPATCH_METHOD, &noArray, nullptr,
                                    nullptr, nullptr)));
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    DISPID named[3] = {0, 1, 2};
    DISPPARAMS tooManyNames{args, named, 2, 3};
    DISPPARAMS noNames{args, nullptr, 2, 1};
    for (DISPPARAMS* params : {&tooManyNames, &noNames}) {
        EXPECT_TRUE(FAILED(disp->Invoke(dispid::Configure, IID_NULL, 0, DISPATCH_METHOD, params,
                                        nullptr, nullptr, nullptr)));
    }
    EXPECT_EQ(thing->calls, 0);
}

TEST_F(DispatchTest, HostileArgumentKindsAreRefusedAndLeaveMemoryAlone) {
    VARIANT array;
    VariantInit(&array);
    array.vt = 0x2003;  // VT_ARRAY | VT_I4
    void* safeArray = &array;
    VARIANT arrayRef;
    VariantInit(&arrayRef);
    arrayRef.vt = 0x6003;  // VT_BYREF | VT_ARRAY | VT_I4: its pointer is a SAFEARRAY**
    arrayRef.byref = &safeArray;
    VARIANT nullRef;
    VariantInit(&nullRef);
    nullRef.vt = VT_BYREF | VT_I4;
    VARIANT loop;
    loop.vt = VT_BYREF | VT_VARIANT;
    loop.pvarVal = &loop;

    for (const VARIANT& hostile : {array, arrayRef, nullRef, loop}) {
        SCOPED_TRACE(hostile.vt);
        for (DISPID member : {dispid::Bump, dispid::Stash}) {
            Call call;
            call.args = {hostile};
            EXPECT_TRUE(FAILED(Method(disp, member, call)));
        }
    }
    EXPECT_EQ(safeArray, static_cast<void*>(&array));
    EXPECT_EQ(thing->calls, 0);
}

}  // namespace
}  // namespace rt_test
