// libmundor as any COM-style client has it: MundorFx driven by raw vtable slots and by name
// through IDispatch (both roads giving the same results), the library's self-registration and the
// version record its file carries. (Creation by ProgID is how every browser test gets the
// component, and the browser's banner shows the application object the runtime reports for it.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "error_from.h"
#include "raw_client.h"
#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/variant.h"
#include "runtime/version_record.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
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

// A new instance starts unbound with empty error properties. By name each member stores what it
// is given, or refuses what it cannot take and changes nothing.
TEST_F(RawClientTest, ByNameMembersStoreWhatTheyAreGivenOrRefuseItWithoutEffect) {
    EXPECT_EQ(CodeBySlot(), 0);
    EXPECT_EQ(DescripBySlot(), u"");
    EXPECT_EQ(GetByName(u"DataObjects"), Variant::Nothing());
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

TEST_F(RawClientTest, LaunchersAndTheBrowserOnAThreadWithoutAToolkitFailClearlyOnBothRoads) {
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
    // The browser too: its window is the first thing it makes.
    EXPECT_EQ(
        ErrorFrom([&] { CallByName(fx_.get(), u"ExplorerCountry", CallType::Method); }).number(),
        32760);
}

TEST_F(RawClientTest, LiveObjectsAndLocksKeepTheLibraryLoaded) {
    EXPECT_EQ(lib_.CanUnloadNow(), S_FALSE);  // fx_ is alive
    ASSERT_EQ(lib_.ClassFactory()->LockServer(1), S_OK);
    fx_ = nullptr;
    EXPECT_EQ(lib_.CanUnloadNow(), S_FALSE);  // still locked
    ASSERT_EQ(lib_.ClassFactory()->LockServer(0), S_OK);
    EXPECT_EQ(lib_.CanUnloadNow(), S_OK);
}

class RegistrationTest : public ::testing::Test {
  protected:
    RegistrationTest() { SetRegistryPath(registry_.string()); }
    ~RegistrationTest() override { SetRegistryPath({}); }

    mundor::test::TempFolder dir_;
    fs::path registry_ = dir_ / "registry.ini";
    rawcom::Library lib_{MUNDOR_LIBRARY_PATH};
};

TEST_F(RegistrationTest, RegisterRecordsClassProgIdTypeLibraryAndPathUnregisterOnlyThat) {
    std::ofstream(registry_)
        << "[ProgID Otro.Componente]\nCLSID={00000000-0000-0000-0000-000000000001}\n";
    ASSERT_EQ(lib_.Register(), S_OK);
    const std::string store = mundor::test::ReadFile(registry_);
    // By its SONAME link, which a package update that replaces the file keeps.
    const std::string library = fs::absolute(MUNDOR_LIBRARY_SONAME_PATH).string();
    const std::vector<std::string> entries = {"[CLSID {E00B7085-B889-41DD-B459-0FAC1480F3FB}]",
                                              "[ProgID Mundor.MundorFx]",
                                              "[TypeLib {C8185A22-BEE1-4DE2-AFC4-FF1CB7F52EA5}]",
                                              "Name=Mundor",
                                              "Version=1.1",
                                              "LCID=0x409",
                                              "InprocServer=" + library + "\n"};
    for (const std::string& entry : entries) {
        EXPECT_NE(store.find(entry), std::string::npos) << entry;
    }

    ASSERT_EQ(lib_.Register(), S_OK);  // twice still leaves one copy
    ASSERT_EQ(lib_.Unregister(), S_OK);
    const std::string left = mundor::test::ReadFile(registry_);
    for (const char* gone : {"Mundor.MundorFx", "C8185A22", "E00B7085"}) {
        EXPECT_EQ(left.find(gone), std::string::npos) << gone;
    }
    EXPECT_NE(left.find("[ProgID Otro.Componente]"), std::string::npos);
    EXPECT_EQ(ErrorFrom([] { CreateObject(u"Mundor.MundorFx"); }).number(),
              err::kCannotCreateObject);
}

TEST(LoadedLibrary, VersionRecordIsReadableFromTheFileWithoutLoadingIt) {
    const auto record = ReadVersionRecordFromFile(MUNDOR_LIBRARY_PATH);
    ASSERT_TRUE(record.has_value());
    const std::pair<const char*, const char*> fields[] = {
        {"FileVersion", "0.9.0.10"},      {"ProductVersion", "0.9.0.10"},
        {"FileVersionText", "0.09.0010"}, {"ProductName", "Mundor"},
        {"InternalName", "Mundor"},       {"OriginalFilename", "libmundor.so"},
        {"Language", "0x0C0A"},           {"CodePage", "1200"},
        {"OLESelfRegister", ""}};
    for (const auto& [field, value] : fields) {
        EXPECT_EQ(record->fields.count(field), 1u) << field;
        EXPECT_EQ(record->get(field), value) << field;
    }
    // The file's own version, which its name carries too (libmundor.so.0.9.0.10).
    EXPECT_TRUE(std::string(MUNDOR_LIBRARY_PATH).ends_with(".so." + record->get("FileVersion")));
}

}  // namespace
