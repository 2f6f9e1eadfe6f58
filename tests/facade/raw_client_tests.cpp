// Drives MundorFx the way any COM-style client would: raw vtable slots and IDispatch by name,
// and checks that both roads give the same results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raw_client.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace {

using mundor::rt::BString;
using rawcom::CallSlot;

class RawClientTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fx_ = lib_.CreateMundorFx();
        ASSERT_NE(fx_, nullptr);
    }
    void TearDown() override {
        if (fx_) rawcom::Release(fx_);
    }

    LONG CodeBySlot() {
        LONG value = -99;
        EXPECT_EQ(CallSlot(fx_, rawcom::kGetLastErrorCode, &value), S_OK);
        return value;
    }
    std::u16string DescripBySlot() {
        BSTR text = nullptr;
        EXPECT_EQ(CallSlot(fx_, rawcom::kGetLastErrorDescrip, &text), S_OK);
        return BString::Attach(text).str();
    }
    VARIANT GetByName(const char16_t* name) {
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(rawcom::InvokeByName(fx_, name, DISPATCH_PROPERTYGET, {}, &result), S_OK);
        return result;
    }

    rawcom::Library lib_{MUNDOR_LIBRARY_PATH};
    void* fx_ = nullptr;
};

TEST_F(RawClientTest, NewInstanceStartsUnboundWithEmptyErrorProperties) {
    EXPECT_EQ(CodeBySlot(), 0);
    EXPECT_EQ(DescripBySlot(), u"");
    void* catalog = reinterpret_cast<void*>(1);
    EXPECT_EQ(CallSlot(fx_, rawcom::kGetDataObjects, &catalog), S_OK);
    EXPECT_EQ(catalog, nullptr);

    VARIANT byName = GetByName(u"DataObjects");
    EXPECT_EQ(byName.vt, VT_DISPATCH);
    EXPECT_EQ(byName.pdispVal, nullptr);
    VARIANT code = GetByName(u"LastErrorCode");
    EXPECT_EQ(code.vt, VT_I4);
    EXPECT_EQ(code.lVal, 0);
}

// By name each member stores what it is given, or refuses what it cannot take and changes nothing.
TEST_F(RawClientTest, ByNameMembersStoreWhatTheyAreGivenOrRefuseItWithoutEffect) {
    LONG seven = 7;
    ASSERT_EQ(CallSlot(fx_, rawcom::kPutLastErrorCode, &seven), S_OK);
    EXPECT_EQ(GetByName(u"lasterrorcode").lVal, 7);
    const std::u16string text = u"Falló la conexión «Año» 𝄞";
    constexpr WORD kPut = DISPATCH_PROPERTYPUT, kMethod = DISPATCH_METHOD;
    const struct {
        const char16_t* name;
        WORD flags;
        std::vector<mundor::rt::Variant> args;
        HRESULT expected;
    } calls[] = {
        {u"LASTERRORDESCRIP", kPut, {mundor::rt::Variant(text)}, S_OK},
        {u"LastErrorCode", kPut, {mundor::rt::Variant::Int16(-3)}, S_OK},  // coerced to Long
        {u"LastErrorCode", kPut, {mundor::rt::Variant(u"cinco")}, DISP_E_TYPEMISMATCH},
        {u"LastErrorCode", kPut, {mundor::rt::Variant::Double(1e12)}, DISP_E_OVERFLOW},
        {u"SetDataObjects", kMethod, {}, DISP_E_PARAMNOTOPTIONAL},
        {u"SetDataObjects", kMethod, {mundor::rt::Variant(LONG{0})}, DISP_E_TYPEMISMATCH},
        {u"ExplorerCountry",
         kMethod,
         {mundor::rt::Variant(LONG{0}), mundor::rt::Variant(LONG{0})},
         DISP_E_BADPARAMCOUNT},
        {u"NoSuchMember", kMethod, {}, DISP_E_UNKNOWNNAME},
    };
    for (const auto& call : calls) {
        std::vector<VARIANT> args;
        for (const auto& arg : call.args) args.push_back(arg.raw());
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(rawcom::InvokeByName(fx_, call.name, call.flags, args,
                                       call.flags == kPut ? nullptr : &result),
                  call.expected)
            << mundor::rt::Utf16ToUtf8(call.name) << " " << args.size();
        VariantClear(&result);
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
        HRESULT hr = E_FAIL;
        const DISPID id = rawcom::IdOf(fx_, name, &hr);
        EXPECT_EQ(hr, S_OK) << mundor::rt::Utf16ToUtf8(name);
        std::u16string upper(name);
        for (char16_t& c : upper) c = (c >= u'a' && c <= u'z') ? c - 32 : c;
        EXPECT_EQ(rawcom::IdOf(fx_, upper.c_str()), id);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 0) << "DISPID shared";
        ids.push_back(id);
    }
    HRESULT hr = S_OK;
    EXPECT_EQ(rawcom::IdOf(fx_, u"LastErrorDescription", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
}

TEST_F(RawClientTest, NullPointersAndHugeTextsNeverCrash) {
    EXPECT_TRUE(FAILED(CallSlot(fx_, rawcom::kGetLastErrorCode, static_cast<LONG*>(nullptr))));
    EXPECT_TRUE(FAILED(CallSlot(fx_, rawcom::kPutLastErrorDescrip, static_cast<BSTR*>(nullptr))));
    EXPECT_TRUE(FAILED(CallSlot(fx_, rawcom::kSetDataObjects, static_cast<void**>(nullptr))));
    DISPID id = rawcom::IdOf(fx_, u"LastErrorCode");
    UINT argErr = 0;
    EXPECT_EQ(CallSlot(fx_, rawcom::kInvoke, id, &IID_NULL, LCID{0}, WORD{DISPATCH_PROPERTYPUT},
                       static_cast<DISPPARAMS*>(nullptr), static_cast<VARIANT*>(nullptr),
                       static_cast<EXCEPINFO*>(nullptr), &argErr),
              DISP_E_PARAMNOTOPTIONAL);

    const std::u16string big(4'000'000, u'ñ');
    BSTR text = SysAllocStringLen(big.data(), static_cast<UINT>(big.size()));
    ASSERT_EQ(CallSlot(fx_, rawcom::kPutLastErrorDescrip, &text), S_OK);
    SysFreeString(text);
    EXPECT_EQ(DescripBySlot(), big);
}

TEST_F(RawClientTest, LaunchersOnAThreadWithoutAToolkitFailClearlyOnBothRoads) {
    // The dialog window is the first thing a launcher makes: with no toolkit installed nothing
    // else happens, and the caller's variable is left as it was.
    VARIANT_BOOL ok = VARIANT_TRUE;
    void* obj = nullptr;
    const HRESULT hr = CallSlot(fx_, rawcom::kDlgPais, &obj, &ok);
    ASSERT_TRUE(FAILED(hr));
    const auto& record = mundor::rt::LastError();
    EXPECT_EQ(record.hresult, hr);
    EXPECT_EQ(record.number, 32760);
    EXPECT_EQ(obj, nullptr);

    EXCEPINFO excep{};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(rawcom::InvokeByName(fx_, u"dlgCiudad_BySysPK", DISPATCH_METHOD, {}, &result, &excep),
              DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, static_cast<SCODE>(0x800A0000u | 32760u));
    EXPECT_NE(BString::Attach(excep.bstrDescription).str().find(u"herramientas"),
              std::u16string::npos);
    SysFreeString(excep.bstrSource);
}

TEST_F(RawClientTest, LiveObjectsAndLocksKeepTheLibraryLoaded) {
    EXPECT_EQ(lib_.CanUnloadNow(), S_FALSE);  // fx_ is alive
    void* factory = nullptr;
    ASSERT_EQ(lib_.GetClassObject(rawcom::kClsidMundorFx, IID_IClassFactory, &factory), S_OK);
    ASSERT_EQ(CallSlot(factory, 4, 1), S_OK);  // LockServer(TRUE)
    rawcom::Release(factory);
    rawcom::Release(fx_);
    fx_ = nullptr;
    EXPECT_EQ(lib_.CanUnloadNow(), S_FALSE);  // still locked
    ASSERT_EQ(lib_.GetClassObject(rawcom::kClsidMundorFx, IID_IClassFactory, &factory), S_OK);
    ASSERT_EQ(CallSlot(factory, 4, 0), S_OK);  // LockServer(FALSE)
    rawcom::Release(factory);
    EXPECT_EQ(lib_.CanUnloadNow(), S_OK);
}

}  // namespace
