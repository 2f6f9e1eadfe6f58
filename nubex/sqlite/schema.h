// The SQLite schema of a catalog (schema.sql beside this file, built into the library), for the
// library itself and for tools that fill a catalog with plain SQL.
#pragma once

#include <string_view>

#include "nubex/export.h"

namespace nubex::sqlite {

// The value schema.sql leaves in PRAGMA user_version.
inline constexpr int kSchemaVersion = 1;

// The text of schema.sql: run it once on an empty database.
NUBEX_API std::string_view SchemaSql();

}  // namespace nubex::sqlite
