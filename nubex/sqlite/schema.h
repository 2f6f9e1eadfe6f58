// The SQLite schema of a catalog (schema.sql and search.sql beside this file, built into the
// library), for the library itself and for tools that fill a catalog with plain SQL.
#pragma once

#include <string_view>

#include "nubex/export.h"

namespace nubex::sqlite {

// The value the schema leaves in PRAGMA user_version. Version 1 had the tables alone (schema.sql);
// version 2 adds the search indexes (search.sql).
inline constexpr int kSchemaVersion = 2;

// The whole schema, schema.sql then search.sql: run it once on an empty database.
NUBEX_API std::string_view SchemaSql();

// search.sql: run once, in a write transaction, on a catalog of version 1 to make it version 2.
std::string_view SearchSql();

}  // namespace nubex::sqlite
