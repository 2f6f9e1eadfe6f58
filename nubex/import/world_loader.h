// Loads the world dataset into a catalog: the whole file in one transaction, every row inserted
// when its Sys_GUID is new and updated when it is there already, so that loading twice leaves
// one copy. A failure rolls everything back; the catalog is then as it was before the call.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>

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

// Loads a dataset file into an open catalog connection (the caller's; its settings are left as
// they were). Raises ImportError.
ImportSummary LoadWorld(const std::string& datasetPath, sqlite3* db,
                        const ProgressCallback& progress = {});
ImportSummary LoadWorld(const WorldData& data, sqlite3* db, const ProgressCallback& progress = {});

// Opens (or creates) the catalog file and loads the dataset into it.
ImportSummary LoadWorldIntoFile(const std::string& datasetPath, const std::string& catalogPath,
                                const ProgressCallback& progress = {});

}  // namespace nubex::import
