// Opens a catalog database file for the import and makes sure it has the catalog's schema.
#pragma once

#include <sqlite3.h>

#include <string>

#include "nubex/import/sqlite_handles.h"

namespace nubex::import {

// Opens (creating when absent) a catalog file with foreign keys on and write-ahead logging, and
// creates the catalog schema in a new or empty file. Raises ImportError kDatabase when the file
// cannot be opened or is not a catalog this library can write.
Database OpenCatalogFile(const std::string& path);

// Creates the schema when the database is empty; otherwise checks that it is a catalog of the
// schema version the library knows.
void EnsureCatalogSchema(sqlite3* db);

}  // namespace nubex::import
