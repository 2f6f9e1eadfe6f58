#include "nubex/import/sqlite_handles.h"

#include "nubex/import/import_error.h"

namespace nubex::import {

void RaiseDatabaseError(sqlite3* db, const std::string& what) {
    const bool conflict = sqlite3_extended_errcode(db) == SQLITE_CONSTRAINT_UNIQUE;
    throw ImportError(conflict ? ImportErrc::kConflict : ImportErrc::kDatabase,
                      what + " (" + sqlite3_errmsg(db) + ").");
}

void Execute(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        RaiseDatabaseError(db, "No se pudo ejecutar una orden en el catálogo");
    }
}

std::int64_t QueryInteger(sqlite3* db, const char* sql) {
    Statement query(db, sql);
    return query.Step() ? query.ColumnInteger(0) : 0;
}

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
        RaiseDatabaseError(db, "No se pudo leer el catálogo");
    }
}

void Statement::Bind(int index, std::string_view text) {
    // An empty view may have no storage; SQLite would read a null pointer as NULL, not "".
    const char* bytes = text.data() ? text.data() : "";
    if (sqlite3_bind_text(stmt_, index, bytes, static_cast<int>(text.size()), SQLITE_STATIC) !=
        SQLITE_OK) {
        RaiseDatabaseError(db_, "No se pudo preparar una fila");
    }
}

void Statement::Bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) {
        RaiseDatabaseError(db_, "No se pudo preparar una fila");
    }
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    RaiseDatabaseError(db_, "No se pudo escribir en el catálogo");
}

}  // namespace nubex::import
