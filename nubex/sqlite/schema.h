// The SQLite schema of a catalog (schema.sql, search.sql and row_version.sql beside this file,
// built into the library), for the library itself and for tools that fill a catalog with plain SQL.
#pragma once

#include <string_view>

#include "nubex/export.h"

namespace nubex::sqlite {

// The value the schema leaves in PRAGMA user_version.
// Version 1 had the tables alone (schema.sql); version 2 added the search indexes (search.sql);
// version 3 the triggers that keep every row's Sys_Version (row_version.sql).
inline constexpr int kSchemaVersion = 3;

// The whole schema, schema.sql, search.sql and row_version.sql: run it once on an empty database.
NUBEX_API std::string_view SchemaSql();

// search.sql: run once, in a write transaction, on a catalog of version 1 to give it the search.
std::string_view SearchSql();

// row_version.sql: run once, in a write transaction, on a catalog of version 1 (after
// SearchSql) or 2 to make it the current version.
std::string_view RowVersionSql();

}  // namespace nubex::sqlite
