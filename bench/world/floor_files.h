// The floor of the world import: the rows the importer writes into a new catalog, as TAB-
// separated files that the sqlite3 shell's .import loads into the same tables, and the shell
// run that loads them.
#pragma once

#include <filesystem>

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

// Runs the sqlite3 shell to .import the three files into `catalog`; false when it fails.
bool ShellImport(const FloorFiles& files, const std::filesystem::path& catalog);

}  // namespace world_bench
