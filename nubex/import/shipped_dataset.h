// The world dataset that ships with the programs: share/mundor/world.tsv.gz beside their bin/
// folder, in an installed tree as in the build tree.
#pragma once

#include <filesystem>

namespace nubex::import {

std::filesystem::path ShippedWorldDataset();

}  // namespace nubex::import
