// Opens the database behind a catalog location (location.h) with the engine it names.
#pragma once

#include <memory>
#include <string>

#include "nubex/backend/database.h"

namespace nubex::db {

// The catalog's schema is created when the file or database schema is new, and checked
// otherwise. Raises the library's run-time errors (nubex/errors.h).
std::unique_ptr<Database> OpenDatabase(const std::string& location, int busyTimeoutMs);

}  // namespace nubex::db
