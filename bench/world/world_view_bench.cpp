// Reading one state's cities through the catalog's V_Ciudades view, the way the component's
// browser reads them (Sys_GUID and Nombre of every row), by typed calls and by name, beside the
// floor: a raw loop over the same fields of the same rows in the same order, with the engine's
// own client library (a SQLite prepared statement; a libpq prepared statement). Both catalogs
// hold the shipped world; the PostgreSQL one lives on MUNDOR_PG_CONNINFO's server (else the test
// server of scripts/start-postgres.sh) and its benchmarks are skipped without one.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog_backends.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/sqlite/connection_settings.h"
#include "nubex/sqlite/spanish_collation.h"
#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/variant.h"
#include "support/beside_floor.h"

namespace {

namespace rt = mundor::rt;
using mundor::test::Backend;

constexpr const char* kStatesBySize =
    "SELECT Estado, count(*) AS n FROM Ciudad GROUP BY Estado ORDER BY n DESC, Estado";

struct StateSample {
    LONG pk = 0;
    long long cities = 0;
};

// The same rows' Sys_GUID and Nombre, in the view's order, copied out as UTF-16 like the view
// hands them over.
class RawCityReader {
  public:
    virtual ~RawCityReader() = default;
    virtual long long Read(LONG statePk) = 0;
    virtual std::vector<StateSample> StatesBySize() = 0;
};

class SqliteCityReader final : public RawCityReader {
  public:
    explicit SqliteCityReader(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, nubex::sqlite::kConnectionFlags | SQLITE_OPEN_READONLY,
                        nullptr);
        // The library's collation and engine settings: the view's order, from the same index.
        nubex::sqlite::RegisterSpanishCollation(db_);
        sqlite3_exec(db_, nubex::sqlite::kConnectionSettingsSql, nullptr, nullptr, nullptr);
        sqlite3_prepare_v3(db_,
                           "SELECT Sys_GUID, Nombre FROM Ciudad WHERE Estado = ?1 "
                           "ORDER BY Nombre COLLATE nubex_es, Sys_PK",
                           -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    }
    ~SqliteCityReader() override {
        sqlite3_finalize(statement_);
        sqlite3_close_v2(db_);
    }

    long long Read(LONG statePk) override {
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

    std::vector<StateSample> StatesBySize() override {
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(db_, kStatesBySize, -1, &query, nullptr);
        std::vector<StateSample> states;
        while (sqlite3_step(query) == SQLITE_ROW) {
            states.push_back({sqlite3_column_int(query, 0), sqlite3_column_int64(query, 1)});
        }
        sqlite3_finalize(query);
        return states;
    }

  private:
    std::u16string Column(int index) const {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement_, index));
        const auto bytes = static_cast<size_t>(sqlite3_column_bytes16(statement_, index));
        return std::u16string(text, bytes / sizeof(char16_t));
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

class PostgresCityReader final : public RawCityReader {
  public:
    explicit PostgresCityReader(const std::string& conninfo)
        : connection_(PQconnectdb(conninfo.c_str()), &PQfinish) {
        PQsetClientEncoding(connection_.get(), "UTF8");
        // Nombre is in the catalog's collation nubex_es: the view's order.
        Take(PQprepare(connection_.get(), "cities",
                       "SELECT Sys_GUID, Nombre FROM Ciudad WHERE Estado = $1 "
                       "ORDER BY Nombre, Sys_PK",
                       1, nullptr));
    }

    long long Read(LONG statePk) override {
        const std::string key = std::to_string(statePk);
        const char* values[] = {key.c_str()};
        const Result result =
            Take(PQexecPrepared(connection_.get(), "cities", 1, values, nullptr, nullptr, 0));
        const int rows = PQntuples(result.get());
        for (int row = 0; row < rows; ++row) {
            std::u16string guid = Column(result.get(), row, 0);
            std::u16string nombre = Column(result.get(), row, 1);
            benchmark::DoNotOptimize(guid);
            benchmark::DoNotOptimize(nombre);
        }
        return rows;
    }

    std::vector<StateSample> StatesBySize() override {
        const Result result = Take(PQexec(connection_.get(), kStatesBySize));
        std::vector<StateSample> states;
        for (int row = 0; row < PQntuples(result.get()); ++row) {
            states.push_back({std::stoi(PQgetvalue(result.get(), row, 0)),
                              std::stoll(PQgetvalue(result.get(), row, 1))});
        }
        return states;
    }

  private:
    using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;
    static Result Take(PGresult* result) { return {result, &PQclear}; }
    static std::u16string Column(const PGresult* result, int row, int column) {
        return rt::Utf8ToUtf16(
            std::string_view(PQgetvalue(result, row, column), PQgetlength(result, row, column)));
    }

    std::unique_ptr<PGconn, void (*)(PGconn*)> connection_;
};

// The shipped world in a catalog of each backend, imported once for the whole program, open
// both through the data-object library and through the engine's own client.
class WorldCatalog {
  public:
    static WorldCatalog& Get(Backend backend) {
        static WorldCatalog sqlite(Backend::Sqlite);
        static std::optional<WorldCatalog> postgres;
        if (backend == Backend::Sqlite) return sqlite;
        if (!postgres) postgres.emplace(Backend::Postgres);
        return *postgres;
    }
    explicit WorldCatalog(Backend backend) : scratch_(backend) {
        nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, scratch_.location());
        catalog = nubex::OpenCatalog(scratch_.location());
        if (backend == Backend::Sqlite) {
            raw = std::make_unique<SqliteCityReader>(scratch_.location());
        } else {
            raw = std::make_unique<PostgresCityReader>(scratch_.location());
        }
        statesBySize = raw->StatesBySize();
    }

  private:
    mundor::test::ScratchCatalog scratch_;  // first in, last out: it outlives the connections

  public:
    rt::Ref<nubex::Catalog> catalog;
    std::unique_ptr<RawCityReader> raw;
    std::vector<StateSample> statesBySize;  // largest first
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
template <long long (*ReadView)(nubex::Catalog*, LONG), Backend kBackend>
void BM_CiudadesView(benchmark::State& state) {
    if (kBackend == Backend::Postgres && !mundor::test::ServerUnavailableReason().empty()) {
        state.SkipWithError(mundor::test::ServerUnavailableReason().c_str());
        return;
    }
    WorldCatalog* world = nullptr;
    try {
        world = &WorldCatalog::Get(kBackend);
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
    long long viewRows = 0;
    long long floorRows = 0;
    mundor::bench::RunBesideFloor(
        state, [&] { viewRows = ReadView(world->catalog.get(), sample.pk); },
        [&] { floorRows = world->raw->Read(sample.pk); });
    if (viewRows != sample.cities || floorRows != sample.cities) {
        state.SkipWithError("the view and the floor did not read the same rows");
    }
    state.counters["rows"] = static_cast<double>(sample.cities);
}

// The largest state, and one of about a hundred cities.
void StateRanks(benchmark::internal::Benchmark* bench) {
    bench->Arg(0)->Arg(250)->UseManualTime()->Unit(benchmark::kMicrosecond);
}

BENCHMARK_TEMPLATE(BM_CiudadesView, ReadTyped, Backend::Sqlite)
    ->Name("BM_CiudadesView_Typed")
    ->Apply(StateRanks);
BENCHMARK_TEMPLATE(BM_CiudadesView, ReadByName, Backend::Sqlite)
    ->Name("BM_CiudadesView_ByName")
    ->Apply(StateRanks);
BENCHMARK_TEMPLATE(BM_CiudadesView, ReadTyped, Backend::Postgres)
    ->Name("BM_CiudadesView_Typed_PostgreSQL")
    ->Apply(StateRanks);
BENCHMARK_TEMPLATE(BM_CiudadesView, ReadByName, Backend::Postgres)
    ->Name("BM_CiudadesView_ByName_PostgreSQL")
    ->Apply(StateRanks);

}  // namespace
