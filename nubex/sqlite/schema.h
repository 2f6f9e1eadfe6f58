// The SQLite schema of a catalog (schema.sql, search.sql, import_memory.sql, row_version.sql and
// view_order.sql beside this file, built into the library), for the library itself and for tools
// that fill a catalog with plain SQL. Such a tool needs the collation nubex_es on its connection
// (spanish_collation.h, or the loadable module nubex_es) to create the schema and to write cities.
#pragma once

#include <string_view>

#include "nubex/export.h"

namespace nubex::sqlite {

// The value the schema leaves in PRAGMA user_version. Version 1 had the tables alone (schema.sql);
// version 2 added the search indexes (search.sql); version 3 the world importer's memory of the
// rows it wrote (import_memory.sql); version 4 the triggers that keep every row's Sys_Version
// (row_version.sql); version 5 the index that gives V_Ciudades its order (view_order.sql).
inline constexpr int kSchemaVersion = 5;

// The whole schema, schema.sql, search.sql, import_memory.sql, row_version.sql then
// view_order.sql: run it once on an empty database.
NUBEX_API std::string_view SchemaSql();

// search.sql: run once, in a write transaction, on a catalog of version 1 to give it the search.
std::string_view SearchSql();

// import_memory.sql: run once, in a write transaction, on a catalog of version 1 (after
// SearchSql) or 2 to give it the importer's memory.
std::string_view ImportMemorySql();

// row_version.sql: run once, in a write transaction, on a catalog of version 1, 2 or 3 (after
// what it lacks before) to make it version 4.
std::string_view RowVersionSql();

// view_order.sql: run once, in a write transaction, on a catalog of version 1 to 4 (after what it
// lacks before) to make it the current version.
std::string_view ViewOrderSql();

}  // namespace nubex::sqlite
