#include "nubex/import/catalog_database.h"

#include "nubex/import/import_error.h"
#include "nubex/sqlite/schema.h"

namespace nubex::import {
namespace {

[[noreturn]] void RaiseNotACatalog(const std::string& why) {
    throw ImportError(ImportErrc::kDatabase, "La base de datos no es un catálogo Nubex: " + why);
}

void CheckExistingCatalog(sqlite3* db, std::int64_t version) {
    if (version > nubex::sqlite::kSchemaVersion) {
        RaiseNotACatalog("la creó una versión más reciente de la biblioteca de datos.");
    }
    if (version != nubex::sqlite::kSchemaVersion ||
        QueryInteger(db, "SELECT count(*) FROM sqlite_schema") != 0) {
        RaiseNotACatalog("tiene otras tablas.");
    }
}

}  // namespace

Database OpenCatalogFile(const std::string& path) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        throw ImportError(ImportErrc::kDatabase,
                          "No se pudo abrir el catálogo \"" + path + "\" (" +
                              (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)) + ").");
    }
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), 5000);
    Execute(db.get(), "PRAGMA foreign_keys = ON");
    EnsureCatalogSchema(db.get());
    // After the schema: the first write fixes a new file's text encoding.
    Execute(db.get(), "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL");
    return db;
}

void EnsureCatalogSchema(sqlite3* db) {
    if (QueryInteger(db, "PRAGMA user_version") == nubex::sqlite::kSchemaVersion) return;
    Execute(db, "PRAGMA encoding = 'UTF-16le'");
    Execute(db, "BEGIN IMMEDIATE");
    try {
        // Read again under the write lock: another process may have created it meanwhile.
        const std::int64_t version = QueryInteger(db, "PRAGMA user_version");
        if (version != nubex::sqlite::kSchemaVersion) {
            CheckExistingCatalog(db, version);
            Execute(db, std::string(nubex::sqlite::SchemaSql()).c_str());
        }
        Execute(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace nubex::import
