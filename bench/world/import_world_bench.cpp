// Importing the whole shipped world dataset into a new catalog (nubex-import's work: read and
// check the file, write every row in one transaction), beside the floor: the engine's own bulk
// load of the same rows, already laid out as the tables' columns, into the same schema (the
// sqlite3 shell's .import; psql's \copy). The PostgreSQL catalog lives on MUNDOR_PG_CONNINFO's
// server (else the test server of scripts/start-postgres.sh); without one it is skipped.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "catalog_backends.h"
#include "floor_files.h"
#include "nubex/import/world_file.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "support/beside_floor.h"
#include "support/scratch_dir.h"

namespace {

using mundor::test::Backend;

// The engine's own bulk load of the floor files into the catalog at `location`.
bool LoadFloor(Backend backend, const world_bench::FloorFiles& files, const std::string& location) {
    if (backend == Backend::Sqlite) return world_bench::ShellImport(files, location);
    return world_bench::PsqlCopy(files, location);
}

void BM_ImportWorld(benchmark::State& state, Backend backend) {
    if (backend == Backend::Postgres && !mundor::test::ServerUnavailableReason().empty()) {
        state.SkipWithError(mundor::test::ServerUnavailableReason().c_str());
        return;
    }
    const mundor::bench::ScratchDir dir;
    std::optional<world_bench::FloorFiles> floorFiles;
    long long fileRows = 0;
    try {
        const nubex::import::WorldData world = nubex::import::ReadWorldFile(WORLD_DATASET);
        fileRows = world.counts.total();
        floorFiles = world_bench::WriteFloorFiles(world, dir / "");
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }

    // Each side loads into a catalog of its own that the library has just created: the same
    // schema (and, on SQLite, the same journal mode), new and empty.
    std::optional<mundor::test::ScratchCatalog> catalog;
    const auto freshCatalog = [&] {
        catalog.reset();
        catalog.emplace(backend);
        nubex::OpenCatalog(catalog->location(), {.create = true});
    };
    nubex::import::ImportSummary summary;
    bool floorLoaded = true;
    mundor::bench::RunBesideFloor(
        state, freshCatalog,
        [&] { summary = nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, catalog->location()); },
        [&] { floorLoaded = LoadFloor(backend, *floorFiles, catalog->location()) && floorLoaded; });

    // Both sides must have loaded every row, or the ratio compares different work. The floor
    // ran last: the catalog holds what it loaded.
    const long long floorRows = mundor::test::RawCatalog(catalog->location())
                                    .QueryInt(
                                        "SELECT (SELECT count(*) FROM Pais) + (SELECT "
                                        "count(*) FROM EdoProv) + (SELECT count(*) FROM "
                                        "Ciudad)");
    if (summary.added != fileRows) state.SkipWithError("the import left rows out");
    if (!floorLoaded || floorRows != fileRows) {
        state.SkipWithError("the floor's bulk load failed or left rows out");
    }
    state.counters["rows"] = static_cast<double>(fileRows);
}
BENCHMARK_CAPTURE(BM_ImportWorld, SQLite, Backend::Sqlite)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ImportWorld, PostgreSQL, Backend::Postgres)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
