// Opens a catalog database file for the import.
#pragma once

#include <string>

#include "nubex/import/sqlite_handles.h"

namespace nubex::import {

// Opens a catalog file, creating it with the catalog schema when it does not exist or is empty:
// the data-object library creates and checks it, so that the importer writes to exactly what
// the library reads. Then opens the importer's own connection to it, with foreign keys on.
// Raises ImportError kDatabase when the file cannot be opened or is not a catalog.
Database OpenCatalogFile(const std::string& path);

}  // namespace nubex::import
