// Every member reached by name behaves as its typed call: the way the component and script
// hosts drive the library. Also the library's exports and its registration.
#include <dlfcn.h>

#include "error_from.h"
#include "runtime/call_by_name.h"
#include "runtime/registry.h"
#include "test_support.h"

namespace nubex_test {
namespace {

using rt::CallByName;
using rt::CallType;
using rt::Variant;

class ByName : public FileCatalogTest {
  protected:
    Variant Cnn() { return CallByName(catalog_.get(), u"ADOCnn", CallType::Get); }
};

TEST_F(ByName, RecordsAreAddedLoadedAndEditedByName) {
    Ref<IDispatch> pais = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    CallByName(pais.get(), u"SetConnection", CallType::Method, Cnn());
    CallByName(pais.get(), u"codigo", CallType::Let, u"MX");
    CallByName(pais.get(), u"Nombre", CallType::Let, u"México");
    CallByName(pais.get(), u"CodigoTel", CallType::Let, u"52");
    ASSERT_TRUE(CallByName(pais.get(), u"SaveRecord", CallType::Method).AsBool());
    const Variant pk = CallByName(pais.get(), u"Sys_PK", CallType::Get);
    EXPECT_EQ(pk.vt(), VT_I4);
    EXPECT_GT(pk.AsLong(), 0);

    // As the browser does: key 0, the identifier, the catalog's connection.
    Ref<IDispatch> edo = rt::CreateInstance<IDispatch>(nubex::CLSID_EdoProv);
    CallByName(edo.get(), u"SetConnection", CallType::Method, Cnn());
    const Variant ipais = CallByName(edo.get(), u"IPais", CallType::Get);
    // As the state dialog does: the parent's key, "", no connection, mode 1; by reference.
    Variant key = pk;
    Variant guid(u"");
    Variant nothing = Variant::Nothing();
    Variant mode(LONG{1});
    EXPECT_TRUE(CallByName(ipais.AsDispatch().get(), u"LoadRecord", CallType::Method, key, guid,
                           nothing, mode)
                    .AsBool());
    EXPECT_EQ(key.AsLong(), pk.AsLong());
    CallByName(edo.get(), u"Codigo", CallType::Let, u"JAL");
    CallByName(edo.get(), u"Nombre", CallType::Let, u"Jalisco");
    ASSERT_TRUE(CallByName(edo.get(), u"SaveRecord", CallType::Method).AsBool());

    Ref<IDispatch> loaded = rt::CreateInstance<IDispatch>(nubex::CLSID_EdoProv);
    CallByName(loaded.get(), u"LoadFromADOConnection", CallType::Method, LONG{0},
               CallByName(edo.get(), u"Sys_GUID", CallType::Get), Cnn());
    EXPECT_EQ(CallByName(loaded.get(), u"NOMBRE", CallType::Get).AsString(), u"Jalisco");
    const Variant parent = CallByName(loaded.get(), u"IPais", CallType::Get);
    EXPECT_EQ(CallByName(parent.AsDispatch().get(), u"Sys_PK", CallType::Get).AsLong(),
              pk.AsLong());
    EXPECT_EQ(CallByName(loaded.get(), u"ErrorCode", CallType::Get).AsLong(), 0);
}

TEST_F(ByName, ARefusedStoreAnswersFalseWithItsError) {
    AddPais(cnn_.get(), u"MX", u"México");
    Ref<IDispatch> dup = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    CallByName(dup.get(), u"SetConnection", CallType::Method, Cnn());
    CallByName(dup.get(), u"Codigo", CallType::Let, u"MX");
    EXPECT_FALSE(CallByName(dup.get(), u"SaveRecord", CallType::Method).AsBool());
    EXPECT_EQ(CallByName(dup.get(), u"ErrorCode", CallType::Get).AsLong(),
              nubex::err::kPaisDuplicateCode.number);
    EXPECT_EQ(CallByName(dup.get(), u"ErrorDescription", CallType::Get).AsString(),
              nubex::err::kPaisDuplicateCode.text);
}

TEST_F(ByName, ARefusedDeleteRaisesItsNumberAndSpanishText) {
    Ref<nubex::Pais> mx = AddPais(cnn_.get(), u"MX", u"México");
    AddEdoProv(cnn_.get(), Pk(mx.get()), u"JAL", u"Jalisco");
    Ref<IDispatch> pais = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    ASSERT_TRUE(
        CallByName(pais.get(), u"LoadRecord", CallType::Method, Pk(mx.get()), u"", Cnn(), LONG{1})
            .AsBool());
    const rt::RuntimeError error = mundor::testing::ErrorFrom(
        [&] { CallByName(pais.get(), u"DeleteRecord", CallType::Method); });
    EXPECT_EQ(error.number(), 20020);
    EXPECT_EQ(error.description(),
              u"No se puede eliminar el país: tiene estados o provincias registrados.");
    EXPECT_TRUE(LoadByKey(NewPais().get(), Pk(mx.get()), cnn_.get()));
}

TEST_F(ByName, ANewRecordByNameIsEmptyAndLoadOfNothingIsFalse) {
    Ref<IDispatch> ciudad = rt::CreateInstance<IDispatch>(nubex::CLSID_Ciudad);
    CallByName(ciudad.get(), u"Nombre", CallType::Let, u"algo");
    EXPECT_TRUE(CallByName(ciudad.get(), u"NewRecord", CallType::Method).AsBool());
    EXPECT_EQ(CallByName(ciudad.get(), u"Nombre", CallType::Get).AsString(), u"");
    EXPECT_EQ(CallByName(ciudad.get(), u"Sys_PK", CallType::Get).AsLong(), 0);
    EXPECT_FALSE(
        CallByName(ciudad.get(), u"LoadRecord", CallType::Method, LONG{77}, u"", Cnn()).AsBool());
}

TEST_F(ByName, TheCatalogOpensAndClosesByName) {
    Ref<IDispatch> catalog = rt::CreateInstance<IDispatch>(nubex::CLSID_Catalog);
    EXPECT_THROW(CallByName(catalog.get(), u"ADOCnn", CallType::Get), rt::RuntimeError);
    EXPECT_EQ(rt::LastError().number, nubex::err::kCatalogNotOpen.number);

    AddPais(cnn_.get(), u"MX", u"México");
    CallByName(catalog.get(), u"Open", CallType::Method, rt::Utf8ToUtf16(path_));
    const Variant cnn = CallByName(catalog.get(), u"ADOCnn", CallType::Get);
    const bool postgres = mundor::test::CurrentBackend() == mundor::test::Backend::Postgres;
    EXPECT_EQ(CallByName(cnn.AsDispatch().get(), u"Backend", CallType::Get).AsString(),
              postgres ? u"postgresql" : u"sqlite");
    const Variant rows = CallByName(catalog.get(), u"V_Pais", CallType::Get);
    EXPECT_EQ(CallByName(rows.AsDispatch().get(), u"Item", CallType::Get, u"Nombre").AsString(),
              u"México");

    CallByName(catalog.get(), u"Close", CallType::Method);
    EXPECT_THROW(CallByName(catalog.get(), u"V_Pais", CallType::Get), rt::RuntimeError);
    // What was handed out before keeps working.
    EXPECT_EQ(CallByName(rows.AsDispatch().get(), u"Item", CallType::Get, u"Codigo").AsString(),
              u"MX");
    Ref<IDispatch> pais = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    EXPECT_TRUE(
        CallByName(pais.get(), u"LoadRecord", CallType::Method, LONG{1}, u"", cnn).AsBool());
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
    using Entry = HRESULT (*)();
    template <class Fn>
    Fn Export(const char* name) {
        Dl_info info{};
        dladdr(reinterpret_cast<void*>(&nubex::RegisterInProcess), &info);
        void* library = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(library, nullptr);
        auto fn = reinterpret_cast<Fn>(dlsym(library, name));
        dlclose(library);
        return fn;
    }
    TempFolder dir_;
};

TEST_F(Registration, DllRegisterServerRecordsTheFourClassesAndUnregisterRemovesThem) {
    ASSERT_EQ(Export<Entry>("DllRegisterServer")(), S_OK);
    for (const char* progId : {"Nubex.Catalog", "Nubex.Pais", "Nubex.EdoProv", "Nubex.Ciudad"}) {
        const auto found = rt::FindClassByProgId(progId);
        ASSERT_TRUE(found.has_value()) << progId;
        EXPECT_NE(found->library.find("nubex"), std::string::npos);
    }
    EXPECT_TRUE(rt::FindClassById(nubex::CLSID_Ciudad).has_value());
    EXPECT_TRUE(rt::CreateObject(u"Nubex.Catalog"));
    ASSERT_EQ(Export<Entry>("DllUnregisterServer")(), S_OK);
    EXPECT_FALSE(rt::FindClassByProgId("Nubex.Pais").has_value());
}

TEST_F(Registration, DllGetClassObjectServesTheFourClassesAndTheLibraryCountsItsObjects) {
    using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
    auto getClassObject = Export<GetClassObject>("DllGetClassObject");
    auto canUnload = Export<Entry>("DllCanUnloadNow");
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
}

}  // namespace
}  // namespace nubex_test
