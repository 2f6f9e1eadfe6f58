#include "test_support.h"

#include "error_from.h"

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

// Stores `record` with its texts; the test fails, saying why, when the store is refused.
template <class T>
Ref<T> Stored(Ref<T> record, std::u16string_view codigo, std::u16string_view nombre,
              const std::u16string_view* codigoTel) {
    Write(record.get(), &nubex::DataRecord::put_Codigo, codigo);
    Write(record.get(), &nubex::DataRecord::put_Nombre, nombre);
    if constexpr (!std::is_same_v<T, nubex::EdoProv>) {
        Write(record.get(), &T::put_CodigoTel, *codigoTel);
    }
    EXPECT_TRUE(Save(record.get())) << rt::Utf16ToUtf8(ErrorText(record.get()));
    return record;
}

}  // namespace

Ref<nubex::Connection> ConnectionOf(nubex::Catalog* catalog) {
    Ref<nubex::Connection> cnn;
    EXPECT_EQ(catalog->get_ADOCnn(cnn.put()), S_OK);
    return cnn;
}

Ref<nubex::Pais> ParentOf(nubex::EdoProv* edo) {
    Ref<nubex::Pais> pais;
    EXPECT_EQ(edo->get_IPais(pais.put()), S_OK);
    return pais;
}

Ref<nubex::EdoProv> ParentOf(nubex::Ciudad* ciudad) {
    Ref<nubex::EdoProv> edo;
    EXPECT_EQ(ciudad->get_Estado(edo.put()), S_OK);
    return edo;
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

HRESULT TryLoadByKey(nubex::DataRecord* record, LONG pk, nubex::Connection* cnn, bool* found) {
    rt::BString noGuid;
    LONG mode = 1;
    VARIANT_BOOL ok = 0;
    const HRESULT hr = record->LoadRecord(&pk, noGuid.slot(), &cnn, &mode, &ok);
    if (found) *found = ok != 0;
    return hr;
}

bool LoadByKey(nubex::DataRecord* record, LONG pk, nubex::Connection* cnn) {
    bool found = false;
    EXPECT_EQ(TryLoadByKey(record, pk, cnn, &found), S_OK);
    return found;
}

// Through LoadFromADOConnection, the other loading member.
bool LoadByGuid(nubex::DataRecord* record, std::u16string_view guid, nubex::Connection* cnn) {
    rt::BString text(guid);
    LONG pk = 0;
    VARIANT_BOOL ok = 0;
    EXPECT_EQ(record->LoadFromADOConnection(&pk, text.slot(), &cnn, &ok), S_OK);
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

rt::RuntimeError OpenError(const std::string& location) {
    return mundor::testing::ErrorFrom([&] { nubex::OpenCatalog(location); });
}

void ExpectStoreRefused(nubex::DataRecord* record, const nubex::err::ErrorText& error) {
    EXPECT_FALSE(Save(record));
    EXPECT_EQ(ErrorCode(record), error.number);
    EXPECT_EQ(ErrorText(record), error.text);
}

Ref<nubex::Pais> AddPais(nubex::Connection* cnn, std::u16string_view codigo,
                         std::u16string_view nombre, std::u16string_view codigoTel) {
    return Stored(Unsaved<nubex::Pais>(cnn), codigo, nombre, &codigoTel);
}

Ref<nubex::EdoProv> AddEdoProv(nubex::Connection* cnn, LONG paisPk, std::u16string_view codigo,
                               std::u16string_view nombre) {
    return Stored(Unsaved<nubex::EdoProv>(cnn, paisPk), codigo, nombre, nullptr);
}

Ref<nubex::Ciudad> AddCiudad(nubex::Connection* cnn, LONG edoProvPk, std::u16string_view codigo,
                             std::u16string_view nombre, std::u16string_view codigoTel) {
    return Stored(Unsaved<nubex::Ciudad>(cnn, edoProvPk), codigo, nombre, &codigoTel);
}

FileCatalogTest::FileCatalogTest()
    : path_(scratch_.location()),
      catalog_(nubex::OpenCatalog(path_, {.create = true})),
      cnn_(ConnectionOf(catalog_.get())) {}

}  // namespace nubex_test
