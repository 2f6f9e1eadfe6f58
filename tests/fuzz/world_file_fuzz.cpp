// Fuzzes the importer's reading of a world dataset: any bytes as a file's content. The reader
// answers a dataset whose rows match its header, or the dataset errors (damaged, another format
// version) and nothing else: no other exception, no crash, and no memory reserved on the header's
// word alone (libFuzzer's memory limit catches that).
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "nubex/import/import_error.h"
#include "nubex/import/world_file.h"

namespace {

using mundor::fuzz::Fail;

using nubex::import::ImportErrc;

void CheckRead(const nubex::import::WorldData& data) {
    nubex::import::WorldCounts found;
    for (const nubex::import::WorldRow& row : data.rows) {
        if (row.nombre.empty()) Fail("a row without a name was read");
        if (row.kind == nubex::import::RowKind::kPais) ++found.paises;
        if (row.kind == nubex::import::RowKind::kEdoProv) ++found.estados;
        if (row.kind == nubex::import::RowKind::kCiudad) ++found.ciudades;
    }
    if (!(found == data.counts)) Fail("the rows read differ from the header's counts");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    try {
        CheckRead(nubex::import::ParseWorld(content, "fuzz"));
    } catch (const nubex::import::ImportError& error) {
        if (error.code() != ImportErrc::kDatasetCorrupt &&
            error.code() != ImportErrc::kDatasetVersion) {
            Fail("a dataset error of another kind");
        }
    }
    return 0;
}
