// Where the host finds its files: the user's catalog and the folder of the running program. (The
// world dataset that seeds a new catalog is nubex::import::ShippedWorldDataset().)
#pragma once

#include <filesystem>

namespace mundor::host {

// <data folder>/mundor/catalog.db: $XDG_DATA_HOME, else ~/.local/share; the class registry lives
// in the same folder.
std::filesystem::path DefaultCatalogPath();

std::filesystem::path ProgramFolder();

}  // namespace mundor::host
