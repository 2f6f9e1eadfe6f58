// Importing the whole shipped world dataset into a new catalog (nubex-import's work: read and
// check the file, write every row in one transaction), beside the floor: the engine's own bulk
// load of the same rows, already laid out as the tables' columns, into the same schema (the
// sqlite3 shell's .import; psql's \copy). The PostgreSQL catalog lives on MUNDOR_PG_CONNINFO's
// server (else the test server of scripts/start-postgres.sh); without one it is skipped.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

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

namespace fs = std::filesystem;

// Removes the catalog and its journal files, then has the data-object library create an empty
// catalog: both sides start from the same schema in the same journal mode.
void FreshCatalog(const fs::path& catalog) {
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(catalog.string() + suffix);
    nubex::OpenCatalog(catalog.string());
}

long long CountRows(const fs::path& catalog) {
    sqlite3* db = nullptr;
    long long rows = -1;
    if (sqlite3_open_v2(catalog.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT (SELECT count(*) FROM Pais) + (SELECT count(*) FROM EdoProv) "
                           "+ (SELECT count(*) FROM Ciudad)",
                           -1, &query, nullptr);
        if (query && sqlite3_step(query) == SQLITE_ROW) rows = sqlite3_column_int64(query, 0);
        sqlite3_finalize(query);
    }
    sqlite3_close_v2(db);
    return rows;
}

void BM_ImportWorld(benchmark::State& state) {
    const mundor::bench::ScratchDir dir;
    const fs::path catalog = dir / "mundo.db";
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

    nubex::import::ImportSummary summary;
    bool floorLoaded = true;
    mundor::bench::RunBesideFloor(
        state, [&] { FreshCatalog(catalog); },
        [&] { summary = nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, catalog.string()); },
        [&] { floorLoaded = world_bench::ShellImport(*floorFiles, catalog) && floorLoaded; });

    // Both sides must have loaded every row, or the ratio compares different work.
    if (summary.added != fileRows) state.SkipWithError("the import left rows out");
    if (!floorLoaded || CountRows(catalog) != fileRows) {
        state.SkipWithError("the sqlite3 shell's .import failed or left rows out");
    }
    state.counters["rows"] = static_cast<double>(fileRows);
}
BENCHMARK(BM_ImportWorld)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportWorld_PostgreSQL(benchmark::State& state) {
    if (const std::string why = mundor::test::ServerUnavailableReason(); !why.empty()) {
        state.SkipWithError(why.c_str());
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

    // Each side loads into a schema of its own, new and empty but for the catalog's tables.
    std::optional<mundor::test::ScratchCatalog> catalog;
    const auto freshCatalog = [&catalog] {
        catalog.reset();
        catalog.emplace(mundor::test::Backend::Postgres);
        nubex::OpenCatalog(catalog->location());
    };
    nubex::import::ImportSummary summary;
    bool floorLoaded = true;
    mundor::bench::RunBesideFloor(
        state, freshCatalog,
        [&] { summary = nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, catalog->location()); },
        [&] {
            floorLoaded = world_bench::PsqlCopy(*floorFiles, catalog->location()) && floorLoaded;
        });
    // The floor ran last: the catalog holds what it loaded.
    const long long floorRows =
        mundor::test::RawCatalog(catalog->location())
            .QueryInt(
                "SELECT (SELECT count(*) FROM Pais) + (SELECT count(*) FROM EdoProv) + "
                "(SELECT count(*) FROM Ciudad)");

    if (summary.added != fileRows) state.SkipWithError("the import left rows out");
    if (!floorLoaded || floorRows != fileRows) {
        state.SkipWithError("psql's \\copy failed or left rows out");
    }
    state.counters["rows"] = static_cast<double>(fileRows);
}
BENCHMARK(BM_ImportWorld_PostgreSQL)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
