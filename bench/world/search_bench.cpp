// The search over the whole shipped world (nubex::Search, the first 50 hits), as a user types,
// keystroke by keystroke, beside the floor: one place fetched by its name with the engine's own
// client and an index (Guadalajara, by its state's key and its name: SQLite's index
// Ciudad_Nombre, PostgreSQL's Ciudad_Estado), on the same catalog with the same settings. The
// goal is the first hits within 50 ms of a keystroke: the benchmark's time. The PostgreSQL
// catalog lives on MUNDOR_PG_CONNINFO's server (else the test server of
// scripts/start-postgres.sh); without one its benchmarks are skipped.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>

#include "catalog_backends.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "runtime/bstr.h"
#include "support/beside_floor.h"

namespace {

namespace rt = mundor::rt;
using mundor::test::Backend;

// What a user types, one keystroke at a time, and a few other texts.
const char16_t* const kTyped[] = {
    u"g",   u"gu",    u"gua",    u"guad",     u"guada", u"guadal",    u"s",    u"sa",
    u"sao", u"sao p", u"mexico", u"san jose", u"new y", u"ciudad de", u"3550",
};

constexpr const char* kFloorSql =
    "SELECT Sys_PK, Sys_GUID, Nombre, Codigo FROM Ciudad WHERE Estado = ?1 AND Nombre = ?2";
constexpr const char* kJaliscoSql = "SELECT Sys_PK FROM EdoProv WHERE Nombre = 'Jalisco'";
constexpr const char* kFloorName = "Guadalajara";

// Guadalajara's row, copied out as UTF-16 as the search hands its hits over.
class NameLookup {
  public:
    virtual ~NameLookup() = default;
    virtual bool Read() = 0;
};

class SqliteNameLookup final : public NameLookup {
  public:
    explicit SqliteNameLookup(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* jalisco = nullptr;
        sqlite3_prepare_v2(db_, kJaliscoSql, -1, &jalisco, nullptr);
        sqlite3_step(jalisco);
        const int state = sqlite3_column_int(jalisco, 0);
        sqlite3_finalize(jalisco);
        sqlite3_prepare_v3(db_, kFloorSql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
        sqlite3_bind_int(statement_, 1, state);
        sqlite3_bind_text(statement_, 2, kFloorName, -1, SQLITE_STATIC);
    }
    ~SqliteNameLookup() override {
        sqlite3_finalize(statement_);
        sqlite3_close_v2(db_);
    }

    bool Read() override {
        const bool found = sqlite3_step(statement_) == SQLITE_ROW;
        if (found) {
            for (int column = 1; column <= 3; ++column) {
                const auto* text =
                    static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
                const auto bytes = static_cast<size_t>(sqlite3_column_bytes16(statement_, column));
                std::u16string copy(text, bytes / sizeof(char16_t));
                benchmark::DoNotOptimize(copy);
            }
        }
        sqlite3_reset(statement_);
        return found;
    }

  private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

class PostgresNameLookup final : public NameLookup {
  public:
    explicit PostgresNameLookup(const std::string& conninfo)
        : connection_(PQconnectdb(conninfo.c_str()), &PQfinish) {
        PQsetClientEncoding(connection_.get(), "UTF8");
        const Result jalisco = Take(PQexec(connection_.get(), kJaliscoSql));
        state_ = PQgetvalue(jalisco.get(), 0, 0);
        Take(PQprepare(connection_.get(), "lookup",
                       "SELECT Sys_PK, Sys_GUID, Nombre, Codigo FROM Ciudad WHERE Estado = $1 "
                       "AND Nombre = $2",
                       2, nullptr));
    }

    bool Read() override {
        const char* values[] = {state_.c_str(), kFloorName};
        const Result result =
            Take(PQexecPrepared(connection_.get(), "lookup", 2, values, nullptr, nullptr, 0));
        if (PQntuples(result.get()) < 1) return false;
        for (int column = 1; column <= 3; ++column) {
            std::u16string copy = rt::Utf8ToUtf16(std::string_view(
                PQgetvalue(result.get(), 0, column), PQgetlength(result.get(), 0, column)));
            benchmark::DoNotOptimize(copy);
        }
        return true;
    }

  private:
    using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;
    static Result Take(PGresult* result) { return {result, &PQclear}; }

    std::unique_ptr<PGconn, void (*)(PGconn*)> connection_;
    std::string state_;
};

// The shipped world in a catalog of each backend, imported once for the whole program.
class SearchedWorld {
  public:
    static SearchedWorld& Get(Backend backend) {
        static SearchedWorld sqlite(Backend::Sqlite);
        static std::optional<SearchedWorld> postgres;
        if (backend == Backend::Sqlite) return sqlite;
        if (!postgres) postgres.emplace(Backend::Postgres);
        return *postgres;
    }
    explicit SearchedWorld(Backend backend) : scratch_(backend) {
        nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, scratch_.location());
        catalog = nubex::OpenCatalog(scratch_.location());
        if (backend == Backend::Sqlite) {
            floor = std::make_unique<SqliteNameLookup>(scratch_.location());
        } else {
            floor = std::make_unique<PostgresNameLookup>(scratch_.location());
        }
    }

  private:
    mundor::test::ScratchCatalog scratch_;  // first in, last out: it outlives the connections

  public:
    rt::Ref<nubex::Catalog> catalog;
    std::unique_ptr<NameLookup> floor;
};

// Argument: the index of the text in kTyped.
template <Backend kBackend>
void BM_Search(benchmark::State& state) {
    if (kBackend == Backend::Postgres && !mundor::test::ServerUnavailableReason().empty()) {
        state.SkipWithError(mundor::test::ServerUnavailableReason().c_str());
        return;
    }
    SearchedWorld* world = nullptr;
    try {
        world = &SearchedWorld::Get(kBackend);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    const std::u16string text = kTyped[state.range(0)];
    state.SetLabel(rt::Utf16ToUtf8(text));
    std::size_t hits = 0;
    bool found = true;
    mundor::bench::RunBesideFloor(
        state, [&] { hits = nubex::Search(world->catalog.get(), text).size(); },
        [&] { found = world->floor->Read() && found; });
    if (!found || hits == 0) state.SkipWithError("the search or the floor found nothing");
    state.counters["hits"] = static_cast<double>(hits);
}

void EveryText(benchmark::internal::Benchmark* bench) {
    bench->DenseRange(0, std::size(kTyped) - 1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK_TEMPLATE(BM_Search, Backend::Sqlite)->Name("BM_Search")->Apply(EveryText);
BENCHMARK_TEMPLATE(BM_Search, Backend::Postgres)->Name("BM_Search_PostgreSQL")->Apply(EveryText);

}  // namespace
