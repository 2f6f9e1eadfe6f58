// The PostgreSQL schema of a catalog (schema.sql and search.sql beside this file, built into the
// library).
#pragma once

#include <string_view>

namespace nubex::pg {

// The value the schema leaves in Nubex_Esquema.Version. Version 1 had the tables alone
// (schema.sql); version 2 adds the search indexes (search.sql); version 3 the world importer's
// memory of the rows it wrote (import_memory.sql).
inline constexpr int kSchemaVersion = 3;

// The whole schema, schema.sql, search.sql then import_memory.sql: run it once, in one
// transaction, on a schema without tables.
std::string_view SchemaSql();

// search.sql: run once, in a transaction, on a catalog of version 1 to make it version 2.
std::string_view SearchSql();

// import_memory.sql: run once, in a transaction, on a catalog of version 2 to make it version 3.
std::string_view ImportMemorySql();

}  // namespace nubex::pg
