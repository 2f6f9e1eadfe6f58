#include "test_support.h"

#include <stdlib.h>

#include <stdexcept>

#include "runtime/registry.h"

namespace nubex_test {

namespace {

// The library's classes are registered for the whole test process, as a linking host does.
class InProcessClasses : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_EQ(nubex::RegisterInProcess(), S_OK); }
    void TearDown() override { nubex::UnregisterInProcess(); }
};
[[maybe_unused]] ::testing::Environment* const gClasses =
    ::testing::AddGlobalTestEnvironment(new InProcessClasses);

}  // namespace

Ref<nubex::Pais> NewPais() {
    return rt::CreateInstance<nubex::Pais>(nubex::CLSID_Pais);
}
Ref<nubex::EdoProv> NewEdoProv() {
    return rt::CreateInstance<nubex::EdoProv>(nubex::CLSID_EdoProv);
}
Ref<nubex::Ciudad> NewCiudad() {
    return rt::CreateInstance<nubex::Ciudad>(nubex::CLSID_Ciudad);
}

Ref<nubex::Connection> ConnectionOf(nubex::Catalog* catalog) {
    Ref<nubex::Connection> cnn;
    EXPECT_EQ(catalog->get_ADOCnn(cnn.put()), S_OK);
    return cnn;
}

LONG Pk(nubex::DataRecord* record) {
    LONG pk = -1;
    EXPECT_EQ(record->get_Sys_PK(&pk), S_OK);
    return pk;
}

std::u16string Guid(nubex::DataRecord* record) {
    return Read(record, &nubex::DataRecord::get_Sys_GUID);
}

LONG ErrorCode(nubex::DataRecord* record) {
    LONG code = -1;
    EXPECT_EQ(record->get_ErrorCode(&code), S_OK);
    return code;
}

std::u16string ErrorText(nubex::DataRecord* record) {
    return Read(record, &nubex::DataRecord::get_ErrorDescription);
}

bool Save(nubex::DataRecord* record) {
    VARIANT_BOOL ok = 0;
    EXPECT_EQ(record->SaveRecord(&ok), S_OK);
    return ok != 0;
}

HRESULT TryLoadByKey(nubex::DataRecord* record, LONG pk, nubex::Connection* cnn) {
    rt::BString empty;
    BSTR guid = empty.get();
    LONG mode = 1;
    VARIANT_BOOL ok = 0;
    return record->LoadRecord(&pk, &guid, &cnn, &mode, &ok);
}

bool LoadByKey(nubex::DataRecord* record, LONG pk, nubex::Connection* cnn) {
    rt::BString empty(u"");
    BSTR guid = empty.get();
    LONG mode = 1;
    VARIANT_BOOL ok = 0;
    EXPECT_EQ(record->LoadRecord(&pk, &guid, &cnn, &mode, &ok), S_OK);
    return ok != 0;
}

bool LoadByGuid(nubex::DataRecord* record, std::u16string_view guid, nubex::Connection* cnn) {
    rt::BString text(guid);
    BSTR raw = text.get();
    LONG pk = 0;
    VARIANT_BOOL ok = 0;
    EXPECT_EQ(record->LoadFromADOConnection(&pk, &raw, &cnn, &ok), S_OK);
    return ok != 0;
}

HRESULT Delete(nubex::DataRecord* record) {
    VARIANT_BOOL ok = 0;
    const HRESULT hr = record->DeleteRecord(&ok);
    if (SUCCEEDED(hr)) {
        EXPECT_EQ(ok, VARIANT_TRUE);
    }
    return hr;
}

void ExpectLastError(const nubex::err::ErrorText& expected) {
    EXPECT_EQ(rt::LastError().number, expected.number);
    EXPECT_EQ(rt::LastError().description, expected.text);
}

Ref<nubex::Pais> AddPais(nubex::Connection* cnn, std::u16string_view codigo,
                         std::u16string_view nombre, std::u16string_view codigoTel) {
    Ref<nubex::Pais> pais = NewPais();
    EXPECT_EQ(pais->SetConnection(&cnn), S_OK);
    Write(pais.get(), &nubex::Pais::put_Codigo, codigo);
    Write(pais.get(), &nubex::Pais::put_Nombre, nombre);
    Write(pais.get(), &nubex::Pais::put_CodigoTel, codigoTel);
    EXPECT_TRUE(Save(pais.get())) << rt::Utf16ToUtf8(ErrorText(pais.get()));
    return pais;
}

Ref<nubex::EdoProv> AddEdoProv(nubex::Connection* cnn, LONG paisPk, std::u16string_view codigo,
                               std::u16string_view nombre) {
    Ref<nubex::EdoProv> edo = NewEdoProv();
    EXPECT_EQ(edo->SetConnection(&cnn), S_OK);
    Ref<nubex::Pais> pais;
    EXPECT_EQ(edo->get_IPais(pais.put()), S_OK);
    EXPECT_TRUE(LoadByKey(pais.get(), paisPk));
    Write(edo.get(), &nubex::EdoProv::put_Codigo, codigo);
    Write(edo.get(), &nubex::EdoProv::put_Nombre, nombre);
    EXPECT_TRUE(Save(edo.get())) << rt::Utf16ToUtf8(ErrorText(edo.get()));
    return edo;
}

Ref<nubex::Ciudad> AddCiudad(nubex::Connection* cnn, LONG edoProvPk, std::u16string_view codigo,
                             std::u16string_view nombre, std::u16string_view codigoTel) {
    Ref<nubex::Ciudad> ciudad = NewCiudad();
    EXPECT_EQ(ciudad->SetConnection(&cnn), S_OK);
    Ref<nubex::EdoProv> edo;
    EXPECT_EQ(ciudad->get_Estado(edo.put()), S_OK);
    EXPECT_TRUE(LoadByKey(edo.get(), edoProvPk));
    Write(ciudad.get(), &nubex::Ciudad::put_Codigo, codigo);
    Write(ciudad.get(), &nubex::Ciudad::put_Nombre, nombre);
    Write(ciudad.get(), &nubex::Ciudad::put_CodigoTel, codigoTel);
    EXPECT_TRUE(Save(ciudad.get())) << rt::Utf16ToUtf8(ErrorText(ciudad.get()));
    return ciudad;
}

FileCatalogTest::FileCatalogTest()
    : path_(scratch_.location()),
      catalog_(nubex::OpenCatalog(path_, {.create = true})),
      cnn_(ConnectionOf(catalog_.get())) {}

}  // namespace nubex_test
