// Drives MundorFx the way any COM-style client would: raw vtable slots and IDispatch by name,
// and checks that both roads give the same results.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "error_from.h"
#include "raw_client.h"
#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace {

using namespace mundor::rt;
using mundor::testing::ErrorFrom;
using rawcom::CallSlot;

class RawClientTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(fx_); }

    LONG CodeBySlot() {
        LONG value = -99;
        EXPECT_EQ(CallSlot(fx_.get(), rawcom::kGetLastErrorCode, &value), S_OK);
        return value;
    }
    std::u16string DescripBySlot() {
        BSTR text = nullptr;
        EXPECT_EQ(CallSlot(fx_.get(), rawcom::kGetLastErrorDescrip, &text), S_OK);
        return BString::Attach(text).str();
    }
    Variant GetByName(const char16_t* name) { return CallByName(fx_.get(), name, CallType::Get); }

    rawcom::Library lib_{MUNDOR_LIBRARY_PATH};
    Ref<IDispatch> fx_ = lib_.CreateMundorFx();
};

TEST_F(RawClientTest, NewInstanceStartsUnboundWithEmptyErrorProperties) {
    EXPECT_EQ(CodeBySlot(), 0);
    EXPECT_EQ(DescripBySlot(), u"");
    void* catalog = reinterpret_cast<void*>(1);
    EXPECT_EQ(CallSlot(fx_.get(), rawcom::kGetDataObjects, &catalog), S_OK);
    EXPECT_EQ(catalog, nullptr);

    const Variant byName = GetByName(u"DataObjects");
    EXPECT_EQ(byName.vt(), VT_DISPATCH);
    EXPECT_EQ(byName.raw().pdispVal, nullptr);
    const Variant code = GetByName(u"LastErrorCode");
    EXPECT_EQ(code.vt(), VT_I4);
    EXPECT_EQ(code.raw().lVal, 0);
}

// By name each member stores what it is given, or refuses what it cannot take and changes nothing.
TEST_F(RawClientTest, ByNameMembersStoreWhatTheyAreGivenOrRefuseItWithoutEffect) {
    LONG seven = 7;
    ASSERT_EQ(CallSlot(fx_.get(), rawcom::kPutLastErrorCode, &seven), S_OK);
    EXPECT_EQ(GetByName(u"lasterrorcode").raw().lVal, 7);
    const std::u16string text = u"Falló la conexión «Año» 𝄞";
    const struct {
        const char16_t* name;
        CallType type;
        std::vector<Variant> args;
        LONG refusedWith;  // 0: accepted
    } calls[] = {
        {u"LASTERRORDESCRIP", CallType::Let, {Variant(text)}, 0},
        {u"LastErrorCode", CallType::Let, {Variant::Int16(-3)}, 0},  // coerced to Long
        {u"LastErrorCode", CallType::Let, {Variant(u"cinco")}, err::kTypeMismatch},
        {u"LastErrorCode", CallType::Let, {Variant::Double(1e12)}, err::kOverflow},
        {u"SetDataObjects", CallType::Method, {}, err::kArgumentNotOptional},
        {u"SetDataObjects", CallType::Method, {Variant(LONG{0})}, err::kTypeMismatch},
        {u"ExplorerCountry",
         CallType::Method,
         {Variant(LONG{0}), Variant(LONG{0})},
         err::kWrongArgumentCount},
        {u"NoSuchMember", CallType::Method, {}, err::kMemberNotFound},
    };
    for (const auto& call : calls) {
        std::vector<CallArg> args;
        for (const Variant& arg : call.args) args.push_back(CallArg{arg});
        LONG refusedWith = 0;
        try {
            CallByNameArgs(fx_.get(), call.name, call.type, args);
        } catch (const RuntimeError& error) {
            refusedWith = error.number();
        }
        EXPECT_EQ(refusedWith, call.refusedWith) << Utf16ToUtf8(call.name) << " " << args.size();
    }
    EXPECT_EQ(CodeBySlot(), -3);
    EXPECT_EQ(DescripBySlot(), text);
}

TEST_F(RawClientTest, EveryMemberAnswersToItsNameInAnyCase) {
    const char16_t* names[] = {
        u"LastErrorCode",      u"LastErrorDescrip", u"DataObjects",        u"DelCiudad",
        u"DelCiudad_BySysPK",  u"dlgCiudad",        u"dlgCiudad_BySysPK",  u"DelEdoProv",
        u"DelEdoProv_BySysPK", u"dlgEdoProv",       u"dlgEdoProv_BySysPK", u"DelPais",
        u"DelPais_BySysPK",    u"dlgPais",          u"dlgPais_BySysPK",    u"ExplorerCountry",
        u"SetDataObjects"};
    std::vector<DISPID> ids;
    for (const char16_t* name : names) {
        const DISPID id = DispIdOf(fx_.get(), name);
        std::u16string upper(name);
        for (char16_t& c : upper) c = (c >= u'a' && c <= u'z') ? c - 32 : c;
        EXPECT_EQ(DispIdOf(fx_.get(), upper), id) << Utf16ToUtf8(name);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 0) << "DISPID shared";
        ids.push_back(id);
    }
    EXPECT_EQ(ErrorFrom([&] { DispIdOf(fx_.get(), u"LastErrorDescription"); }).number(),
              err::kMemberNotFound);
}

TEST_F(RawClientTest, NullPointersAndHugeTextsNeverCrash) {
    EXPECT_TRUE(
        FAILED(CallSlot(fx_.get(), rawcom::kGetLastErrorCode, static_cast<LONG*>(nullptr))));
    EXPECT_TRUE(
        FAILED(CallSlot(fx_.get(), rawcom::kPutLastErrorDescrip, static_cast<BSTR*>(nullptr))));
    EXPECT_TRUE(FAILED(CallSlot(fx_.get(), rawcom::kSetDataObjects, static_cast<void**>(nullptr))));
    UINT argErr = 0;
    EXPECT_EQ(fx_->Invoke(DispIdOf(fx_.get(), u"LastErrorCode"), IID_NULL, 0, DISPATCH_PROPERTYPUT,
                          nullptr, nullptr, nullptr, &argErr),
              DISP_E_PARAMNOTOPTIONAL);

    const std::u16string big(4'000'000, u'ñ');
    BSTR text = SysAllocStringLen(big.data(), static_cast<UINT>(big.size()));
    ASSERT_EQ(CallSlot(fx_.get(), rawcom::kPutLastErrorDescrip, &text), S_OK);
    SysFreeString(text);
    EXPECT_EQ(DescripBySlot(), big);
}

TEST_F(RawClientTest, LaunchersOnAThreadWithoutAToolkitFailClearlyOnBothRoads) {
    // The dialog window is the first thing a launcher makes: with no toolkit installed nothing
    // else happens, and the caller's variable is left as it was.
    VARIANT_BOOL ok = VARIANT_TRUE;
    void* obj = nullptr;
    const HRESULT hr = CallSlot(fx_.get(), rawcom::kDlgPais, &obj, &ok);
    ASSERT_TRUE(FAILED(hr));
    EXPECT_EQ(LastError().hresult, hr);
    EXPECT_EQ(LastError().number, 32760);
    EXPECT_EQ(obj, nullptr);

    const RuntimeError error =
        ErrorFrom([&] { CallByName(fx_.get(), u"dlgCiudad_BySysPK", CallType::Method); });
    EXPECT_EQ(error.hresult(), static_cast<HRESULT>(0x800A0000u | 32760u));
    EXPECT_NE(error.description().find(u"herramientas"), std::u16string::npos);
}

TEST_F(RawClientTest, LiveObjectsAndLocksKeepTheLibraryLoaded) {
    EXPECT_EQ(lib_.CanUnloadNow(), S_FALSE);  // fx_ is alive
    ASSERT_EQ(lib_.ClassFactory()->LockServer(1), S_OK);
    fx_ = nullptr;
    EXPECT_EQ(lib_.CanUnloadNow(), S_FALSE);  // still locked
    ASSERT_EQ(lib_.ClassFactory()->LockServer(0), S_OK);
    EXPECT_EQ(lib_.CanUnloadNow(), S_OK);
}

}  // namespace
