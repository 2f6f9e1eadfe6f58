// Every member of the library's classes reached by name, the way the component and script hosts
// drive it (the rules of calling by name themselves are the runtime's, tests/runtime). Also the
// library's exports and its registration.
#include <dlfcn.h>

#include "runtime/call_by_name.h"
#include "test_support.h"

namespace nubex_test {
namespace {

using rt::CallByName;
using rt::CallType;
using rt::Variant;

struct RecordClass {
    const char* label;
    CLSID clsid;
    const char16_t* parent;  // the member holding the parent record; none for a country
    bool hasCodigoTel;
    const nubex::err::ErrorText& duplicateCode;
};

const RecordClass kClasses[] = {
    {"Pais", nubex::CLSID_Pais, nullptr, true, nubex::err::kPaisDuplicateCode},
    {"EdoProv", nubex::CLSID_EdoProv, u"IPais", false, nubex::err::kEdoProvDuplicateCode},
    {"Ciudad", nubex::CLSID_Ciudad, u"Estado", true, nubex::err::kCiudadDuplicateCode},
};

class ByName : public SampleCatalogTest {
  protected:
    Variant Cnn() { return CallByName(catalog_.get(), u"ADOCnn", CallType::Get); }
    static Variant Get(const Ref<IDispatch>& object, const char16_t* name) {
        return CallByName(object.get(), name, CallType::Get);
    }
};

class RecordByName : public ByName, public ::testing::WithParamInterface<RecordClass> {
  protected:
    // A new record on the catalog's connection, under the parent of key parentPk_ loaded as the
    // edit dialogs do it: the key, "", no connection, mode 1.
    Ref<IDispatch> Make() {
        Ref<IDispatch> record = rt::CreateInstance<IDispatch>(GetParam().clsid);
        CallByName(record.get(), u"SetConnection", CallType::Method, Cnn());
        if (!GetParam().parent) return record;
        const Variant parent = CallByName(record.get(), GetParam().parent, CallType::Get);
        EXPECT_TRUE(CallByName(parent.AsDispatch().get(), u"LoadRecord", CallType::Method,
                               parentPk_, u"", Variant::Nothing(), LONG{1})
                        .AsBool());
        return record;
    }
    const LONG parentPk_ = GetParam().clsid == nubex::CLSID_Ciudad ? Pk(jal_.get()) : Pk(mx_.get());
};

INSTANTIATE_TEST_SUITE_P(Classes, RecordByName, ::testing::ValuesIn(kClasses),
                         [](const auto& test) { return std::string(test.param.label); });

TEST_P(RecordByName, IsAddedLoadedRefusedEmptiedAndDeleted) {
    const bool tel = GetParam().hasCodigoTel;
    Ref<IDispatch> added = Make();
    CallByName(added.get(), u"Codigo", CallType::Let, u"ZZ");
    CallByName(added.get(), u"Nombre", CallType::Let, u"Zeta");
    if (tel) CallByName(added.get(), u"CodigoTel", CallType::Let, u"99");
    ASSERT_TRUE(CallByName(added.get(), u"SaveRecord", CallType::Method).AsBool());
    const Variant pk = Get(added, u"Sys_PK");
    EXPECT_EQ(pk.vt(), VT_I4);
    EXPECT_GT(pk.AsLong(), 0);

    Ref<IDispatch> loaded = rt::CreateInstance<IDispatch>(GetParam().clsid);
    ASSERT_TRUE(CallByName(loaded.get(), u"LoadFromADOConnection", CallType::Method, LONG{0},
                           Get(added, u"Sys_GUID"), Cnn())
                    .AsBool());
    EXPECT_EQ(Get(loaded, u"Sys_PK").AsLong(), pk.AsLong());
    EXPECT_EQ(Get(loaded, u"Codigo").AsString(), u"ZZ");
    EXPECT_EQ(Get(loaded, u"Nombre").AsString(), u"Zeta");
    if (tel) {
        EXPECT_EQ(Get(loaded, u"CodigoTel").AsString(), u"99");
    }
    if (GetParam().parent) {
        const Variant parent = CallByName(loaded.get(), GetParam().parent, CallType::Get);
        EXPECT_EQ(Get(parent.AsDispatch(), u"Sys_PK").AsLong(), parentPk_);
    }

    // The same code again under the same parent: False, with the error in the record.
    Ref<IDispatch> dup = Make();
    CallByName(dup.get(), u"Codigo", CallType::Let, u"ZZ");
    EXPECT_FALSE(CallByName(dup.get(), u"SaveRecord", CallType::Method).AsBool());
    EXPECT_EQ(Get(dup, u"ErrorCode").AsLong(), GetParam().duplicateCode.number);
    EXPECT_EQ(Get(dup, u"ErrorDescription").AsString(), GetParam().duplicateCode.text);

    EXPECT_TRUE(CallByName(loaded.get(), u"NewRecord", CallType::Method).AsBool());
    for (const char16_t* emptied : {u"Codigo", u"Nombre", u"Sys_GUID"}) {
        EXPECT_EQ(Get(loaded, emptied).AsString(), u"") << rt::Utf16ToUtf8(emptied);
    }
    EXPECT_EQ(Get(loaded, u"Sys_PK").AsLong(), 0);
    ASSERT_TRUE(CallByName(loaded.get(), u"LoadRecord", CallType::Method, pk, u"", Cnn()).AsBool());
    EXPECT_TRUE(CallByName(loaded.get(), u"DeleteRecord", CallType::Method).AsBool());
    EXPECT_FALSE(
        CallByName(loaded.get(), u"LoadRecord", CallType::Method, pk, u"", Cnn()).AsBool());
}

TEST_F(ByName, TheCatalogOpensAndClosesByName) {
    Ref<IDispatch> catalog = rt::CreateInstance<IDispatch>(nubex::CLSID_Catalog);
    EXPECT_THROW(Get(catalog, u"ADOCnn"), rt::RuntimeError);
    EXPECT_EQ(rt::LastError().number, nubex::err::kCatalogNotOpen.number);

    CallByName(catalog.get(), u"Open", CallType::Method, rt::Utf8ToUtf16(path_));
    const Variant cnn = Get(catalog, u"ADOCnn");
    const bool postgres = mundor::test::CurrentBackend() == mundor::test::Backend::Postgres;
    EXPECT_EQ(Get(cnn.AsDispatch(), u"Backend").AsString(), postgres ? u"postgresql" : u"sqlite");
    const Variant rows = Get(catalog, u"V_Pais");
    EXPECT_EQ(CallByName(rows.AsDispatch().get(), u"Item", CallType::Get, u"Nombre").AsString(),
              u"Argentina");

    // Closed, what was handed out before keeps working (the views it no longer gives are
    // BrowserWithoutCatalog.ShowsTheFillsErrorOnceAndAnEmptyTree's).
    CallByName(catalog.get(), u"Close", CallType::Method);
    EXPECT_EQ(CallByName(rows.AsDispatch().get(), u"Item", CallType::Get, u"Codigo").AsString(),
              u"AR");
    Ref<IDispatch> pais = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    EXPECT_TRUE(
        CallByName(pais.get(), u"LoadRecord", CallType::Method, Pk(mx_.get()), u"", cnn).AsBool());
}

TEST_F(ByName, AConnectionFromElsewhereIsRefused) {
    Ref<IDispatch> pais = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    // An object of this library that is not a connection does not pass for one.
    Ref<IDispatch> other = rt::CreateInstance<IDispatch>(nubex::CLSID_Ciudad);
    EXPECT_THROW(CallByName(pais.get(), u"SetConnection", CallType::Method, Variant(other)),
                 rt::RuntimeError);
}

// The registry file and the four exports, as a host that does not link the library uses them.
class Registration : public ::testing::Test {
  protected:
    Registration() { rt::SetRegistryPath((dir_ / "registry").string()); }
    ~Registration() override { rt::SetRegistryPath(""); }
    // libnubex is the one library of this process that exports them.
    template <class Fn = HRESULT (*)()>
    static Fn Export(const char* name) {
        return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
    }
    TempFolder dir_;
};

TEST_F(Registration, TheExportsRecordServeCountAndRemoveTheFourClasses) {
    ASSERT_EQ(Export("DllRegisterServer")(), S_OK);
    for (const char* progId : {"Nubex.Catalog", "Nubex.Pais", "Nubex.EdoProv", "Nubex.Ciudad"}) {
        const auto found = rt::FindClassByProgId(progId);
        ASSERT_TRUE(found.has_value()) << progId;
        EXPECT_NE(found->library.find("nubex"), std::string::npos);
    }
    EXPECT_TRUE(rt::CreateObject(u"Nubex.Catalog"));

    auto getClassObject = Export<HRESULT (*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
    auto canUnload = Export("DllCanUnloadNow");
    ASSERT_EQ(canUnload(), S_OK);
    {
        Ref<IClassFactory> factory;
        ASSERT_EQ(getClassObject(nubex::CLSID_EdoProv, IID_IClassFactory,
                                 reinterpret_cast<void**>(factory.put())),
                  S_OK);
        Ref<nubex::EdoProv> edo;
        ASSERT_EQ(factory->CreateInstance(nullptr, nubex::EdoProv::iid,
                                          reinterpret_cast<void**>(edo.put())),
                  S_OK);
        EXPECT_EQ(canUnload(), S_FALSE);
        Ref<IClassFactory> none;
        EXPECT_EQ(getClassObject(nubex::LIBID_Nubex, IID_IClassFactory,
                                 reinterpret_cast<void**>(none.put())),
                  CLASS_E_CLASSNOTAVAILABLE);
    }
    EXPECT_EQ(canUnload(), S_OK);

    ASSERT_EQ(Export("DllUnregisterServer")(), S_OK);
    EXPECT_FALSE(rt::FindClassByProgId("Nubex.Pais").has_value());
}

}  // namespace
}  // namespace nubex_test
