// Where the host finds its files: the user's catalog, the world dataset that seeds a new one, and
// the folder of the running program.
#pragma once

#include <filesystem>

namespace mundor::host {

// <data folder>/mundor/catalog.db: $XDG_DATA_HOME, else ~/.local/share; the class registry lives
// in the same folder.
std::filesystem::path DefaultCatalogPath();

// The copy of world.tsv.gz that the build places beside the program, else the one in the source
// tree the program was built from.
std::filesystem::path WorldDatasetPath();

std::filesystem::path ProgramFolder();

}  // namespace mundor::host
