#include "test_catalog.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>
#include <string_view>

#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/variant.h"
#include "test_support.h"

namespace browser_test {

namespace rt = mundor::rt;

namespace {

// The library's SQLite schema with the UNIQUE taken off every Sys_GUID column.
std::string SqliteSchemaWithoutUniqueIdentifiers() {
    std::ifstream in(NUBEX_SCHEMA_FILE);
    const std::string schema{std::istreambuf_iterator<char>(in), {}};
    std::string loose = std::regex_replace(schema, std::regex("(Sys_GUID[^\n]*) UNIQUE"), "$1");
    if (loose == schema) throw std::runtime_error("the catalog schema has no unique Sys_GUID");
    return loose;
}

// The library's schema, then the identifiers' uniqueness taken away as an older or hand-edited
// catalog may lack it.
void CreateWithoutUniqueIdentifiers(const mundor::test::ScratchCatalog& scratch) {
    mundor::test::RawCatalog raw(scratch.location());
    if (scratch.backend() == mundor::test::Backend::Sqlite) {
        raw.Exec(SqliteSchemaWithoutUniqueIdentifiers());
        return;
    }
    nubex::OpenCatalog(scratch.location(), {.create = true});
    raw.Exec(
        "ALTER TABLE Pais DROP CONSTRAINT pais_sys_guid_key; "
        "ALTER TABLE EdoProv DROP CONSTRAINT edoprov_sys_guid_key; "
        "ALTER TABLE Ciudad DROP CONSTRAINT ciudad_sys_guid_key");
}

}  // namespace

TestCatalog::TestCatalog(Identifiers identifiers) {
    // The record classes this catalog stores through, registered for the process.
    rt::ThrowIfFailed(nubex::RegisterInProcess());
    if (identifiers == Identifiers::NotUnique) CreateWithoutUniqueIdentifiers(scratch_);
    catalog_ = nubex::OpenCatalog(scratch_.location(), {.create = true});
    rt::ThrowIfFailed(catalog_->get_ADOCnn(connection_.put()));
}

namespace {

Stored StoredOf(nubex::DataRecord* record) {
    return {nubex_test::Pk(record), nubex_test::Guid(record)};
}

}  // namespace

Stored TestCatalog::AddPais(std::u16string_view codigo, std::u16string_view nombre,
                            std::u16string_view codigoTel) {
    return StoredOf(nubex_test::AddPais(connection_.get(), codigo, nombre, codigoTel).get());
}

Stored TestCatalog::AddEdoProv(LONG paisPk, std::u16string_view codigo,
                               std::u16string_view nombre) {
    return StoredOf(nubex_test::AddEdoProv(connection_.get(), paisPk, codigo, nombre).get());
}

Stored TestCatalog::AddCiudad(LONG edoProvPk, std::u16string_view codigo,
                              std::u16string_view nombre, std::u16string_view codigoTel) {
    return StoredOf(
        nubex_test::AddCiudad(connection_.get(), edoProvPk, codigo, nombre, codigoTel).get());
}

void TestCatalog::ExecuteSql(const char* sql, const std::vector<std::u16string_view>& texts) {
    std::vector<std::string> values;
    for (const std::u16string_view text : texts) values.push_back(rt::Utf16ToUtf8(text));
    mundor::test::RawCatalog(scratch_.location()).Exec(sql, values);
}

void TestCatalog::InsertPais(std::u16string_view guid, std::u16string_view nombre,
                             std::u16string_view codigoTel) {
    ExecuteSql("INSERT INTO Pais (Sys_GUID, Nombre, CodigoTel) VALUES (?1, ?2, ?3)",
               {guid, nombre, codigoTel});
}

void TestCatalog::InsertEdoProv(std::u16string_view paisGuid, std::u16string_view guid,
                                std::u16string_view nombre) {
    ExecuteSql(
        "INSERT INTO EdoProv (Sys_GUID, Nombre, IPais) "
        "VALUES (?2, ?3, (SELECT Sys_PK FROM Pais WHERE Sys_GUID = ?1))",
        {paisGuid, guid, nombre});
}

void TestCatalog::InsertCiudad(std::u16string_view edoProvGuid, std::u16string_view guid,
                               std::u16string_view nombre) {
    ExecuteSql(
        "INSERT INTO Ciudad (Sys_GUID, Nombre, Estado) "
        "VALUES (?2, ?3, (SELECT Sys_PK FROM EdoProv WHERE Sys_GUID = ?1))",
        {edoProvGuid, guid, nombre});
}

namespace {

// The rows of the view that `open` hands out, in the view's own order.
template <class Open>
std::vector<Named> RowsOf(const Open& open) {
    rt::Ref<nubex::View> view;
    rt::ThrowIfFailed(open(view.put()));
    const auto field = [&view](std::u16string_view name) {
        rt::Variant key(name), value;
        rt::ThrowIfFailed(view->Item(key.get(), value.put()));
        return value;
    };
    std::vector<Named> rows;
    for (VARIANT_BOOL atEnd = VARIANT_TRUE;; rt::ThrowIfFailed(view->MoveNext())) {
        rt::ThrowIfFailed(view->get_EOF(&atEnd));
        if (atEnd != VARIANT_FALSE) return rows;
        rows.push_back({field(u"Sys_PK").AsLong(), field(u"Sys_GUID").AsString(),
                        field(u"Nombre").AsString()});
    }
}

}  // namespace

std::vector<Named> TestCatalog::Countries() const {
    return RowsOf([this](nubex::View** view) { return catalog_->V_Pais(view); });
}

std::vector<Named> TestCatalog::StatesOf(LONG paisPk) const {
    return RowsOf([&](nubex::View** view) { return catalog_->V_EdoProv(&paisPk, view); });
}

std::vector<Named> TestCatalog::CitiesOf(LONG edoProvPk) const {
    return RowsOf([&](nubex::View** view) { return catalog_->V_Ciudades(&edoProvPk, view); });
}

}  // namespace browser_test
