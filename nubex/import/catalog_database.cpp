#include "nubex/import/catalog_database.h"

#include "nubex/import/import_error.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::import {
namespace {

void CreateOrCheckCatalog(const std::string& path) {
    try {
        nubex::OpenCatalog(path);  // released at once: only its schema work is wanted
    } catch (const mundor::rt::RuntimeError& error) {
        throw ImportError(ImportErrc::kDatabase, "Catálogo \"" + path + "\": " +
                                                     mundor::rt::Utf16ToUtf8(error.description()));
    }
}

}  // namespace

Database OpenCatalogFile(const std::string& path) {
    CreateOrCheckCatalog(path);
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        throw ImportError(ImportErrc::kDatabase,
                          "No se pudo abrir el catálogo \"" + path + "\" (" +
                              (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)) + ").");
    }
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), nubex::kDefaultBusyTimeoutMs);
    // The catalog keeps write-ahead logging; with it, NORMAL syncs at checkpoints only and is
    // still safe against a crash.
    Execute(db.get(), "PRAGMA foreign_keys = ON; PRAGMA synchronous = NORMAL");
    return db;
}

}  // namespace nubex::import
