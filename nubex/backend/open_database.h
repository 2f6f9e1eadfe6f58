// Opens the database behind a catalog location (location.h) with the engine it names.
#pragma once

#include <memory>
#include <string>

#include "nubex/backend/database.h"

namespace nubex::db {

// Whether opening may make a new catalog where there is none (a missing or empty file, a
// database schema without tables); ":memory:" is always new.
enum class Creation { kExistingOnly, kCreate };

// An existing catalog's schema is checked, and brought up to date when it is older. Raises the
// library's run-time errors (nubex/errors.h); a location holding a NUL is refused before
// anything is opened.
std::unique_ptr<Database> OpenDatabase(const std::string& location, int busyTimeoutMs,
                                       Creation creation = Creation::kExistingOnly);

}  // namespace nubex::db
