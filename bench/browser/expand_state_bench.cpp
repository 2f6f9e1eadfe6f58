// Expanding a state of many cities in the geography browser, end to end: a host opens the
// browser with ExplorerCountry over a SQLite catalog, the scripted user expands the country and
// then the state, and closes the window. The floor is a raw SQLite prepared statement reading
// Sys_GUID and Nombre of the same cities; "ratio_vs_floor" is expansion / floor. The state sizes
// step up so that "us_per_city" shows whether the expansion grows in proportion to the children
// or faster.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "contracts/ui/toolkit.h"
#include "facade/mundor_client.h"
#include "nubex/nubex.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "support/scratch_dir.h"
#include "ui/headless/headless_toolkit.h"

extern "C" HRESULT DllRegisterServer();

namespace {

namespace rt = mundor::rt;
namespace ui = mundor::ui;

constexpr int kStateSizes[] = {25'000, 50'000, 100'000};

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
    }
}

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

Statement Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    Check(db, sqlite3_prepare_v2(db, sql, -1, &raw, nullptr));
    return Statement(raw, &sqlite3_finalize);
}

// One country with one state per size, each state holding that many cities whose names come in
// shuffled order, so that the view's name order has real sorting to do.
class CitiesCatalog {
  public:
    static CitiesCatalog& Get() {
        static CitiesCatalog instance;
        return instance;
    }

    rt::Ref<nubex::Catalog> catalog;
    sqlite3* raw = nullptr;
    std::map<int, LONG> statePkBySize;

  private:
    CitiesCatalog() {
        const std::string path = (dir_ / "ciudades.db").string();
        catalog = nubex::OpenCatalog(path);
        const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        Check(raw, opened);
        Generate();
    }
    ~CitiesCatalog() { sqlite3_close_v2(raw); }

    void Generate() {
        Check(raw, sqlite3_exec(raw,
                                "BEGIN; INSERT INTO Pais (Sys_GUID, Codigo, Nombre, CodigoTel) "
                                "VALUES ('PAIS', 'GN', 'Generado', '99');",
                                nullptr, nullptr, nullptr));
        const Statement state = Prepare(
            raw, "INSERT INTO EdoProv (Codigo, Nombre, IPais) VALUES (?1, ?1, 1) RETURNING Sys_PK");
        const Statement city =
            Prepare(raw, "INSERT INTO Ciudad (Codigo, Nombre, Estado) VALUES (?1, ?2, ?3)");
        std::mt19937 shuffle(20240601);
        for (const int size : kStateSizes) {
            const std::string code = "E" + std::to_string(size);
            sqlite3_bind_text(state.get(), 1, code.c_str(), -1, SQLITE_TRANSIENT);
            Check(raw, sqlite3_step(state.get()));
            const LONG statePk = sqlite3_column_int(state.get(), 0);
            sqlite3_reset(state.get());
            statePkBySize[size] = statePk;
            std::vector<int> numbers(static_cast<std::size_t>(size));
            std::iota(numbers.begin(), numbers.end(), 1);
            std::shuffle(numbers.begin(), numbers.end(), shuffle);
            for (const int number : numbers) {
                const std::string codigo = "C" + std::to_string(number);
                const std::string nombre = "Ciudad " + std::to_string(number);
                sqlite3_bind_text(city.get(), 1, codigo.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(city.get(), 2, nombre.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(city.get(), 3, statePk);
                Check(raw, sqlite3_step(city.get()));
                sqlite3_reset(city.get());
            }
        }
        // Both readers then find the rows in the database file itself, not in the write-ahead log.
        Check(raw, sqlite3_exec(raw, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE);", nullptr, nullptr,
                                nullptr));
    }

    mundor::bench::ScratchDir dir_;
};

std::u16string StateGuid(sqlite3* raw, LONG statePk) {
    const Statement query = Prepare(raw, "SELECT Sys_GUID FROM EdoProv WHERE Sys_PK = ?1");
    sqlite3_bind_int(query.get(), 1, statePk);
    Check(raw, sqlite3_step(query.get()));
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(query.get(), 0));
    return std::u16string(text,
                          static_cast<std::size_t>(sqlite3_column_bytes16(query.get(), 0)) / 2);
}

// A host with the component registered in a registry file of its own and the headless toolkit
// installed on this thread.
class Host {
  public:
    static Host& Get() {
        static Host instance;
        return instance;
    }
    mundor::MundorClient& fx() { return fx_; }
    ui::headless::HeadlessToolkit& toolkit() { return toolkit_; }

  private:
    Host() : fx_(Create(dir_)) {
        ui::SetThreadToolkit(&toolkit_);
        fx_.SetDataObjects(CitiesCatalog::Get().catalog);
    }
    static mundor::MundorClient Create(const mundor::bench::ScratchDir& dir) {
        rt::SetRegistryPath((dir / "registry.ini").string());
        rt::ThrowIfFailed(DllRegisterServer());
        rt::ThrowIfFailed(nubex::RegisterInProcess());
        return mundor::MundorClient::Create();
    }

    mundor::bench::ScratchDir dir_;
    ui::headless::HeadlessToolkit toolkit_;
    mundor::MundorClient fx_;
};

// The floor: the same fields of the same rows, straight from SQLite.
std::size_t ReadCitiesRaw(sqlite3* raw, LONG statePk) {
    const Statement query = Prepare(raw, "SELECT Sys_GUID, Nombre FROM Ciudad WHERE Estado = ?1");
    sqlite3_bind_int(query.get(), 1, statePk);
    std::size_t bytes = 0;
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        benchmark::DoNotOptimize(sqlite3_column_text16(query.get(), 0));
        bytes += static_cast<std::size_t>(sqlite3_column_bytes16(query.get(), 0));
        benchmark::DoNotOptimize(sqlite3_column_text16(query.get(), 1));
        bytes += static_cast<std::size_t>(sqlite3_column_bytes16(query.get(), 1));
    }
    return bytes;
}

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// One browser session; the time from the user's expanding the state until the expansion has
// been handled, read from inside the session so that opening and closing the window do not count.
Seconds ExpandOnce(Host& host, const std::u16string& stateKey) {
    Clock::time_point start;
    Clock::time_point end;
    host.toolkit()
        .user()
        .OnShow(u"brwPaises")
        .ExpandNode(u"tvwPaises", u"SysPAIS")
        .Run(u"start the clock", [&](ui::Window&) { start = Clock::now(); })
        .ExpandNode(u"tvwPaises", stateKey)
        .Run(u"stop the clock", [&](ui::Window&) { end = Clock::now(); })
        .Click(u"cmdCerrar");
    host.fx().ExplorerCountry();
    return end - start;
}

// The expansion beside its floor, alternating the two in every iteration as RunBesideFloor does;
// the measured time comes from inside the session, so the loop is written out here.
void BM_ExpandStateHeadless(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    CitiesCatalog& cities = CitiesCatalog::Get();
    Host& host = Host::Get();
    const LONG statePk = cities.statePkBySize.at(size);
    const std::u16string stateKey = u"EDO" + StateGuid(cities.raw, statePk);
    Seconds measuredTotal{0};
    Seconds floorTotal{0};
    for (auto _ : state) {
        const Seconds measured = ExpandOnce(host, stateKey);
        const auto floorStart = Clock::now();
        benchmark::DoNotOptimize(ReadCitiesRaw(cities.raw, statePk));
        floorTotal += Clock::now() - floorStart;
        measuredTotal += measured;
        state.SetIterationTime(measured.count());
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorTotal.count() * 1000.0 / iterations;
    state.counters["ratio_vs_floor"] = measuredTotal.count() / floorTotal.count();
    state.counters["us_per_city"] = measuredTotal.count() * 1e6 / iterations / size;
    state.SetItemsProcessed(state.iterations() * size);
}

BENCHMARK(BM_ExpandStateHeadless)
    ->Arg(kStateSizes[0])
    ->Arg(kStateSizes[1])
    ->Arg(kStateSizes[2])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
