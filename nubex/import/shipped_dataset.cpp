#include "nubex/import/shipped_dataset.h"

namespace nubex::import {

namespace fs = std::filesystem;

fs::path ShippedWorldDataset() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    const fs::path programFolder = error ? fs::current_path() : program.parent_path();
    // The data folder as seen from the program folder ("../share/mundor"), set by the build.
    return (programFolder / NUBEX_DATASET_DIR_FROM_BINDIR / "world.tsv.gz").lexically_normal();
}

}  // namespace nubex::import
