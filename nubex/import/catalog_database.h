// Opens the catalog an import writes to, through the data-object library's own backend.
#pragma once

#include <memory>
#include <string>

#include "nubex/backend/database.h"

namespace nubex::import {

// Opens a catalog file or PostgreSQL database, creating the catalog's schema when it is new,
// exactly as the data-object library does. Raises ImportError kDatabase when it cannot be
// opened or is not a catalog; the text names the location without any password.
std::unique_ptr<db::Database> OpenCatalogDatabase(const std::string& location);

}  // namespace nubex::import
