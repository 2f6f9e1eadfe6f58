// The PostgreSQL schema of a catalog (schema.sql, search.sql and row_version.sql beside this file,
// built into the library).
#pragma once

#include <string_view>

namespace nubex::pg {

// The value the schema leaves in Nubex_Esquema.Version. Version 1 had the tables alone
// (schema.sql); version 2 added the search indexes (search.sql); version 3 the world importer's
// memory of the rows it wrote (import_memory.sql); version 4 the triggers that keep every row's
// Sys_Version (row_version.sql).
inline constexpr int kSchemaVersion = 4;

// The whole schema, schema.sql, search.sql, import_memory.sql then row_version.sql: run it once,
// in one transaction, on a schema without tables.
std::string_view SchemaSql();

// search.sql: run once, in a transaction, on a catalog of version 1 to give it the search.
std::string_view SearchSql();

// import_memory.sql: run once, in a write transaction, on a catalog of version 1 (after
// SearchSql) or 2 to give it the importer's memory.
std::string_view ImportMemorySql();

// row_version.sql: run once, in a write transaction, on a catalog of version 1, 2 or 3 (after
// what it lacks before) to make it the current version.
std::string_view RowVersionSql();

}  // namespace nubex::pg
