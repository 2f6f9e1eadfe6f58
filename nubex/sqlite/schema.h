// The SQLite schema of a catalog (schema.sql and search.sql beside this file, built into the
// library), for the library itself and for tools that fill a catalog with plain SQL.
#pragma once

#include <string_view>

#include "nubex/export.h"

namespace nubex::sqlite {

// The value the schema leaves in PRAGMA user_version. Version 1 had the tables alone (schema.sql);
// version 2 adds the search indexes (search.sql); version 3 the world importer's memory of the
// rows it wrote (import_memory.sql).
inline constexpr int kSchemaVersion = 3;

// The whole schema, schema.sql, search.sql then import_memory.sql: run it once on an empty
// database.
NUBEX_API std::string_view SchemaSql();

// search.sql: run once, in a write transaction, on a catalog of version 1 to make it version 2.
std::string_view SearchSql();

// import_memory.sql: run once, in a write transaction, on a catalog of version 2 to make it
// version 3.
std::string_view ImportMemorySql();

}  // namespace nubex::sqlite
