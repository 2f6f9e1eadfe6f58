#include "test_catalog.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/variant.h"

namespace browser_test {

namespace fs = std::filesystem;
namespace rt = mundor::rt;

namespace {

using Database = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

Database OpenRaw(const std::string& path) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw, &sqlite3_close);
    if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + path);
    sqlite3_busy_timeout(raw, 5000);
    return db;
}

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
    }
}

fs::path NewFolder() {
    std::string pattern = (fs::temp_directory_path() / "mundor_catalog_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    return pattern;
}

// The library's schema with the UNIQUE taken off every Sys_GUID column.
std::string SchemaWithoutUniqueIdentifiers() {
    std::ifstream in(NUBEX_SCHEMA_FILE);
    std::string schema;
    bool changed = false;
    for (std::string line; std::getline(in, line); schema += line + "\n") {
        const std::size_t unique = line.find(" UNIQUE");
        if (line.find("Sys_GUID") == std::string::npos || unique == std::string::npos) continue;
        line.erase(unique, std::string_view(" UNIQUE").size());
        changed = true;
    }
    if (!changed) throw std::runtime_error("the catalog schema has no unique Sys_GUID");
    return schema;
}

void CreateWithoutUniqueIdentifiers(const std::string& path) {
    const Database db = OpenRaw(path);
    Check(db.get(), sqlite3_exec(db.get(), SchemaWithoutUniqueIdentifiers().c_str(), nullptr,
                                 nullptr, nullptr));
}

template <class Record>
rt::Ref<Record> NewRecord(const CLSID& clsid, nubex::Connection* connection) {
    rt::Ref<Record> record = rt::CreateInstance<Record>(clsid);
    rt::ThrowIfFailed(record->SetConnection(&connection));
    return record;
}

void Put(nubex::DataRecord* record, HRESULT (nubex::DataRecord::*setter)(BSTR*),
         std::u16string_view text) {
    rt::BString value(text);
    BSTR raw = value.get();
    rt::ThrowIfFailed((record->*setter)(&raw));
}

template <class Record>
Stored Save(Record* record) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    rt::ThrowIfFailed(record->SaveRecord(&saved));
    if (saved == VARIANT_FALSE) {
        rt::BString why;
        record->get_ErrorDescription(why.put());
        throw std::runtime_error("the catalog refused a record: " + why.utf8());
    }
    Stored stored;
    rt::BString guid;
    rt::ThrowIfFailed(record->get_Sys_PK(&stored.pk));
    rt::ThrowIfFailed(record->get_Sys_GUID(guid.put()));
    stored.guid = guid.str();
    return stored;
}

void LoadParent(nubex::DataRecord* parent, LONG pk) {
    rt::BString noGuid;
    nubex::Connection* ownConnection = nullptr;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::ThrowIfFailed(parent->LoadFromADOConnection(&pk, noGuid.slot(), &ownConnection, &loaded));
    if (loaded == VARIANT_FALSE) throw std::runtime_error("no parent record with that key");
}

}  // namespace

TestCatalog::TestCatalog(Identifiers identifiers)
    : folder_(NewFolder()), path_((folder_ / "catalogo.db").string()) {
    // The record classes this catalog stores through, registered for the process.
    rt::ThrowIfFailed(nubex::RegisterInProcess());
    if (identifiers == Identifiers::NotUnique) CreateWithoutUniqueIdentifiers(path_);
    catalog_ = nubex::OpenCatalog(path_);
    rt::ThrowIfFailed(catalog_->get_ADOCnn(connection_.put()));
}

TestCatalog::~TestCatalog() {
    connection_.reset();
    catalog_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

Stored TestCatalog::AddPais(std::u16string_view codigo, std::u16string_view nombre,
                            std::u16string_view codigoTel) {
    auto pais = NewRecord<nubex::Pais>(nubex::CLSID_Pais, connection_.get());
    Put(pais.get(), &nubex::DataRecord::put_Codigo, codigo);
    Put(pais.get(), &nubex::DataRecord::put_Nombre, nombre);
    rt::BString tel(codigoTel);
    BSTR raw = tel.get();
    rt::ThrowIfFailed(pais->put_CodigoTel(&raw));
    return Save(pais.get());
}

Stored TestCatalog::AddEdoProv(LONG paisPk, std::u16string_view codigo,
                               std::u16string_view nombre) {
    auto edoProv = NewRecord<nubex::EdoProv>(nubex::CLSID_EdoProv, connection_.get());
    rt::Ref<nubex::Pais> pais;
    rt::ThrowIfFailed(edoProv->get_IPais(pais.put()));
    LoadParent(pais.get(), paisPk);
    Put(edoProv.get(), &nubex::DataRecord::put_Codigo, codigo);
    Put(edoProv.get(), &nubex::DataRecord::put_Nombre, nombre);
    return Save(edoProv.get());
}

Stored TestCatalog::AddCiudad(LONG edoProvPk, std::u16string_view codigo,
                              std::u16string_view nombre) {
    auto ciudad = NewRecord<nubex::Ciudad>(nubex::CLSID_Ciudad, connection_.get());
    rt::Ref<nubex::EdoProv> edoProv;
    rt::ThrowIfFailed(ciudad->get_Estado(edoProv.put()));
    LoadParent(edoProv.get(), edoProvPk);
    Put(ciudad.get(), &nubex::DataRecord::put_Codigo, codigo);
    Put(ciudad.get(), &nubex::DataRecord::put_Nombre, nombre);
    return Save(ciudad.get());
}

void TestCatalog::ExecuteSql(const char* sql, const std::vector<std::u16string_view>& texts) {
    const Database db = OpenRaw(path_);
    sqlite3_stmt* raw = nullptr;
    Check(db.get(), sqlite3_prepare_v2(db.get(), sql, -1, &raw, nullptr));
    const Statement statement(raw, &sqlite3_finalize);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string utf8 = rt::Utf16ToUtf8(texts[i]);
        Check(db.get(), sqlite3_bind_text(raw, static_cast<int>(i + 1), utf8.c_str(),
                                          static_cast<int>(utf8.size()), SQLITE_TRANSIENT));
    }
    Check(db.get(), sqlite3_step(raw));
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

std::vector<std::u16string> TestCatalog::CountryGuidsInViewOrder() const {
    rt::Ref<nubex::View> view;
    rt::ThrowIfFailed(catalog_->V_Pais(view.put()));
    std::vector<std::u16string> guids;
    for (;;) {
        VARIANT_BOOL atEnd = VARIANT_TRUE;
        rt::ThrowIfFailed(view->get_EOF(&atEnd));
        if (atEnd != VARIANT_FALSE) return guids;
        rt::Variant field(u"Sys_GUID");
        rt::Variant value;
        rt::ThrowIfFailed(view->Item(field.get(), value.put()));
        guids.push_back(value.AsString());
        rt::ThrowIfFailed(view->MoveNext());
    }
}

}  // namespace browser_test
