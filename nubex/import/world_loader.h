// Loads the world dataset into a catalog, SQLite or PostgreSQL, through nubex's own backend: the
// whole file in one write transaction, every row inserted when its Sys_GUID is new and updated
// when it is there already with other values, so that loading twice leaves one copy. New rows go
// in by the engine's bulk load (PostgreSQL: COPY), and the search indexes follow in the same
// transaction (after a large load SQLite rebuilds them whole). A failure rolls everything back;
// the catalog is then as it was before the call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "nubex/backend/database.h"
#include "nubex/import/world_file.h"

namespace nubex::import {

struct ImportProgress {
    std::int64_t done = 0;   // rows written so far
    std::int64_t total = 0;  // rows in the file
};
// Called every few thousand rows and once at the end. Returning false cancels the import,
// which then rolls back and raises ImportErrc::kCancelled.
using ProgressCallback = std::function<bool(const ImportProgress&)>;

struct ImportSummary {
    WorldCounts counts;          // rows in the file, per kind
    std::int64_t added = 0;      // rows that were new to the catalog
    std::int64_t updated = 0;    // rows whose code, name or parent changed
    std::int64_t unchanged = 0;  // rows already there as they are in the file
};

// Loads checked dataset rows into an open catalog database, in a transaction of its own.
// Raises ImportError.
ImportSummary LoadWorld(const WorldData& data, db::Database& db,
                        const ProgressCallback& progress = {});

// Opens (or creates) the catalog at `location` (a file, or a PostgreSQL URI or conninfo: see
// nubex/backend/location.h) and loads the dataset into it. The file is read and checked first,
// so a bad dataset creates no catalog.
ImportSummary LoadWorldIntoCatalog(const std::string& datasetPath, const std::string& location,
                                   const ProgressCallback& progress = {});

}  // namespace nubex::import
