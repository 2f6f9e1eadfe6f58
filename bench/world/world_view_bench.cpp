// Reading one state's cities through the catalog's V_Ciudades view, the way the component's
// browser reads them (Sys_GUID and Nombre of every row), by typed calls and by name, beside the
// floor: a raw SQLite prepared-statement loop that reads the same fields of the same rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/variant.h"
#include "support/beside_floor.h"
#include "support/scratch_dir.h"

namespace {

namespace rt = mundor::rt;

struct StateSample {
    LONG pk = 0;
    long long cities = 0;
};

// The shipped world in a catalog, imported once for the whole program, open both through the
// data-object library and through a plain SQLite connection.
class WorldCatalog {
  public:
    static WorldCatalog& Get() {
        static WorldCatalog instance;
        return instance;
    }

    rt::Ref<nubex::Catalog> catalog;
    sqlite3* raw = nullptr;
    std::vector<StateSample> statesBySize;  // largest first

  private:
    WorldCatalog() {
        nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, (dir_ / "mundo.db").string());
        catalog = nubex::OpenCatalog((dir_ / "mundo.db").string());
        sqlite3_open_v2((dir_ / "mundo.db").c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(raw,
                           "SELECT Estado, count(*) AS n FROM Ciudad GROUP BY Estado "
                           "ORDER BY n DESC, Estado",
                           -1, &query, nullptr);
        while (sqlite3_step(query) == SQLITE_ROW) {
            statesBySize.push_back({sqlite3_column_int(query, 0), sqlite3_column_int64(query, 1)});
        }
        sqlite3_finalize(query);
    }
    ~WorldCatalog() { sqlite3_close_v2(raw); }

    mundor::bench::ScratchDir dir_;
};

// The floor: the same rows' Sys_GUID and Nombre, in the same name order as far as SQLite's
// index gives it, copied out as UTF-16 like the view hands them over.
class RawCityReader {
  public:
    explicit RawCityReader(sqlite3* db) {
        sqlite3_prepare_v3(db,
                           "SELECT Sys_GUID, Nombre FROM Ciudad WHERE Estado = ?1 ORDER BY Nombre",
                           -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    }
    ~RawCityReader() { sqlite3_finalize(statement_); }
    RawCityReader(const RawCityReader&) = delete;
    RawCityReader& operator=(const RawCityReader&) = delete;

    long long Read(LONG statePk) {
        long long rows = 0;
        sqlite3_bind_int(statement_, 1, statePk);
        while (sqlite3_step(statement_) == SQLITE_ROW) {
            std::u16string guid = Column(0);
            std::u16string nombre = Column(1);
            benchmark::DoNotOptimize(guid);
            benchmark::DoNotOptimize(nombre);
            ++rows;
        }
        sqlite3_reset(statement_);
        return rows;
    }

  private:
    std::u16string Column(int index) const {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement_, index));
        const auto bytes = static_cast<size_t>(sqlite3_column_bytes16(statement_, index));
        return std::u16string(text, bytes / sizeof(char16_t));
    }

    sqlite3_stmt* statement_ = nullptr;
};

long long ReadTyped(nubex::Catalog* catalog, LONG statePk) {
    rt::Ref<nubex::View> view;
    rt::ThrowIfFailed(catalog->V_Ciudades(&statePk, view.put()));
    rt::Variant guidField(u"Sys_GUID");
    rt::Variant nombreField(u"Nombre");
    long long rows = 0;
    for (;;) {
        VARIANT_BOOL eof = VARIANT_TRUE;
        rt::ThrowIfFailed(view->get_EOF(&eof));
        if (eof != VARIANT_FALSE) return rows;
        rt::Variant guid;
        rt::Variant nombre;
        rt::ThrowIfFailed(view->Item(guidField.get(), guid.put()));
        rt::ThrowIfFailed(view->Item(nombreField.get(), nombre.put()));
        benchmark::DoNotOptimize(guid);
        benchmark::DoNotOptimize(nombre);
        rt::ThrowIfFailed(view->MoveNext());
        ++rows;
    }
}

long long ReadByName(nubex::Catalog* catalog, LONG statePk) {
    const rt::Variant viewValue =
        rt::CallByName(catalog, u"V_Ciudades", rt::CallType::Get, statePk);
    const rt::Ref<IDispatch> view = viewValue.AsDispatch();
    long long rows = 0;
    while (!rt::CallByName(view.get(), u"EOF", rt::CallType::Get).AsBool()) {
        rt::Variant guid = rt::CallByName(view.get(), u"Item", rt::CallType::Get, u"Sys_GUID");
        rt::Variant nombre = rt::CallByName(view.get(), u"Item", rt::CallType::Get, u"Nombre");
        benchmark::DoNotOptimize(guid);
        benchmark::DoNotOptimize(nombre);
        rt::CallByName(view.get(), u"MoveNext", rt::CallType::Method);
        ++rows;
    }
    return rows;
}

// Argument: the state's rank by number of cities (0: the state with the most).
template <long long (*ReadView)(nubex::Catalog*, LONG)>
void BM_CiudadesView(benchmark::State& state) {
    WorldCatalog* world = nullptr;
    try {
        world = &WorldCatalog::Get();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    const auto rank = static_cast<size_t>(state.range(0));
    if (rank >= world->statesBySize.size()) {
        state.SkipWithError("the catalog has fewer states than the rank asked for");
        return;
    }
    const StateSample sample = world->statesBySize[rank];
    RawCityReader floor(world->raw);
    long long viewRows = 0;
    long long floorRows = 0;
    mundor::bench::RunBesideFloor(
        state, [&] { viewRows = ReadView(world->catalog.get(), sample.pk); },
        [&] { floorRows = floor.Read(sample.pk); });
    if (viewRows != sample.cities || floorRows != sample.cities) {
        state.SkipWithError("the view and the floor did not read the same rows");
    }
    state.counters["rows"] = static_cast<double>(sample.cities);
}

// The largest state, and one of about a hundred cities.
void StateRanks(benchmark::internal::Benchmark* bench) {
    bench->Arg(0)->Arg(250);
}

BENCHMARK_TEMPLATE(BM_CiudadesView, ReadTyped)
    ->Name("BM_CiudadesView_Typed")
    ->Apply(StateRanks)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_CiudadesView, ReadByName)
    ->Name("BM_CiudadesView_ByName")
    ->Apply(StateRanks)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
