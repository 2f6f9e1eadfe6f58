// The PostgreSQL schema of a catalog (schema.sql beside this file, built into the library).
#pragma once

#include <string_view>

namespace nubex::pg {

// The value schema.sql leaves in Nubex_Esquema.Version.
inline constexpr int kSchemaVersion = 1;

// The text of schema.sql: run it once, in one transaction, on a schema without tables.
std::string_view SchemaSql();

}  // namespace nubex::pg
