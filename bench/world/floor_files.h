// The floor of the world import: the rows the importer writes into a new catalog, as TAB-
// separated files that the sqlite3 shell's .import and psql's \copy load into the same tables,
// and the runs of those programs that load them.
#pragma once

#include <filesystem>
#include <string>

#include "nubex/import/world_file.h"

namespace world_bench {

struct FloorFiles {
    std::filesystem::path pais;
    std::filesystem::path edoProv;
    std::filesystem::path ciudad;
};

// Writes one file per table into `folder`: every column in table order, with the keys, Sys_GUIDs
// and parents the importer gives the rows in a new catalog.
FloorFiles WriteFloorFiles(const nubex::import::WorldData& world,
                           const std::filesystem::path& folder);

// Runs the sqlite3 shell to .import the three files into `catalog` and build its search indexes
// once, with the library's collation loaded and its connection settings; false when it fails.
bool ShellImport(const FloorFiles& files, const std::filesystem::path& catalog);

// Runs psql to \copy the three files into the catalog at `conninfo`, in one transaction; false
// when it fails.
bool PsqlCopy(const FloorFiles& files, const std::string& conninfo);

}  // namespace world_bench
