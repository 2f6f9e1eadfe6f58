// The PostgreSQL schema of a catalog (schema.sql and search.sql beside this file, built into the
// library).
#pragma once

#include <string_view>

namespace nubex::pg {

// The value the schema leaves in Nubex_Esquema.Version. Version 1 had the tables alone
// (schema.sql); version 2 adds the search indexes (search.sql).
inline constexpr int kSchemaVersion = 2;

// The whole schema, schema.sql then search.sql: run it once, in one transaction, on a schema
// without tables.
std::string_view SchemaSql();

// search.sql: run once, in a transaction, on a catalog of version 1 to make it version 2.
std::string_view SearchSql();

}  // namespace nubex::pg
