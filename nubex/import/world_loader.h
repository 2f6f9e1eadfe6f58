// Loads the world dataset into a catalog, SQLite or PostgreSQL, through nubex's own backend: the
// whole file in one write transaction, every row inserted when its Sys_GUID is new and updated
// when it is there already with other values, so that loading twice leaves one copy. The catalog
// remembers what the import wrote into each row (import_memory.h): a later import updates only
// the rows still as imported, leaves the rows users changed as they are, does not bring back
// the rows users deleted, and never touches the rows users added. New rows go
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

struct ImportOptions {
    // Also give the file's values to the rows users changed, and bring back the rows they
    // deleted. Rows users added are never touched.
    bool overwrite = false;
};

// What the import did with the file's rows (the first six add up to the file's rows) and how
// many rows users added it left alone.
struct ImportSummary {
    WorldCounts counts;                // rows in the file, per kind
    std::int64_t added = 0;            // new to the catalog
    std::int64_t updated = 0;          // still as imported, now with the file's new values
    std::int64_t unchanged = 0;        // already as they are in the file
    std::int64_t keptUserChanges = 0;  // changed by users: left as the users left them
    std::int64_t notRestored = 0;      // deleted by users (or under such a row): not brought back
    std::int64_t restored = 0;         // overwriting: changed or deleted by users, now as the file
    std::int64_t usersRows = 0;        // rows users added (not in the file): untouched
};

// Loads checked dataset rows into an open catalog database, in a transaction of its own.
// Raises ImportError.
ImportSummary LoadWorld(const WorldData& data, db::Database& db,
                        const ProgressCallback& progress = {}, const ImportOptions& options = {});

// Opens (or creates) the catalog at `location` (a file, or a PostgreSQL URI or conninfo: see
// nubex/backend/location.h) and loads the dataset into it. The file is read and checked first,
// so a bad dataset creates no catalog.
ImportSummary LoadWorldIntoCatalog(const std::string& datasetPath, const std::string& location,
                                   const ProgressCallback& progress = {},
                                   const ImportOptions& options = {});

}  // namespace nubex::import
