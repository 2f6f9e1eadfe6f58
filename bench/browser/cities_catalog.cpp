#include "cities_catalog.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <stdexcept>
#include <vector>

#include "nubex/nubex.h"
#include "nubex/sqlite/connection_settings.h"
#include "nubex/sqlite/spanish_collation.h"
#include "runtime/bstr.h"

namespace mundor::bench {

namespace {

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
    }
}

Statement Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    Check(db, sqlite3_prepare_v2(db, sql, -1, &raw, nullptr));
    return Statement(raw, &sqlite3_finalize);
}

void Exec(sqlite3* db, const char* sql) {
    Check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

void BindText(sqlite3_stmt* statement, int slot, const std::string& text) {
    sqlite3_bind_text(statement, slot, text.c_str(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

// The view's order, from the same index.
constexpr const char* kCitiesOfStateSql =
    "SELECT Sys_GUID, Nombre FROM Ciudad WHERE Estado = ?1 ORDER BY Nombre COLLATE nubex_es, "
    "Sys_PK";

std::u16string ColumnText(sqlite3_stmt* query, int column) {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(query, column));
    return {text, static_cast<std::size_t>(sqlite3_column_bytes16(query, column)) / 2};
}

}  // namespace

CitiesCatalog& CitiesCatalog::Get() {
    static CitiesCatalog instance;
    return instance;
}

CitiesCatalog::CitiesCatalog() {
    const std::string path = (dir_ / "ciudades.db").string();
    catalog_ = nubex::OpenCatalog(path, {.create = true});
    const int opened = sqlite3_open_v2(
        path.c_str(), &raw_, nubex::sqlite::kConnectionFlags | SQLITE_OPEN_READWRITE, nullptr);
    Check(raw_, opened);
    // The library's collation (writing cities needs it) and engine settings.
    Check(raw_, nubex::sqlite::RegisterSpanishCollation(raw_));
    Exec(raw_, nubex::sqlite::kConnectionSettingsSql);
    Exec(raw_,
         "INSERT INTO Pais (Sys_GUID, Codigo, Nombre, CodigoTel) "
         "VALUES ('PAIS', 'GN', 'Generado', '99')");
}

CitiesCatalog::~CitiesCatalog() {
    sqlite3_close_v2(raw_);
}

std::u16string CitiesCatalog::StateName(int size) {
    return rt::Utf8ToUtf16("E" + std::to_string(size));
}

LONG CitiesCatalog::StatePk(int size) {
    const auto made = statePkBySize_.find(size);
    if (made != statePkBySize_.end()) return made->second;
    return statePkBySize_[size] = GenerateState(size);
}

LONG CitiesCatalog::GenerateState(int size) {
    Exec(raw_, "BEGIN");
    const Statement state = Prepare(
        raw_, "INSERT INTO EdoProv (Codigo, Nombre, IPais) VALUES (?1, ?1, 1) RETURNING Sys_PK");
    BindText(state.get(), 1, rt::Utf16ToUtf8(StateName(size)));
    Check(raw_, sqlite3_step(state.get()));
    const LONG statePk = sqlite3_column_int(state.get(), 0);
    sqlite3_reset(state.get());  // a statement left running would keep the commit from ending
    const Statement city =
        Prepare(raw_, "INSERT INTO Ciudad (Codigo, Nombre, Estado) VALUES (?1, ?2, ?3)");
    std::vector<int> numbers(static_cast<std::size_t>(size));
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(static_cast<unsigned>(size)));
    for (const int number : numbers) {
        BindText(city.get(), 1, "C" + std::to_string(number));
        BindText(city.get(), 2, "Ciudad " + std::to_string(number));
        sqlite3_bind_int(city.get(), 3, statePk);
        Check(raw_, sqlite3_step(city.get()));
        sqlite3_reset(city.get());
    }
    // Both readers then find the rows in the database file itself, not in the write-ahead log.
    Exec(raw_, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE);");
    return statePk;
}

std::u16string CitiesCatalog::StateKey(int size) {
    const Statement query = Prepare(raw_, "SELECT Sys_GUID FROM EdoProv WHERE Sys_PK = ?1");
    sqlite3_bind_int(query.get(), 1, StatePk(size));
    Check(raw_, sqlite3_step(query.get()));
    return u"EDO" + ColumnText(query.get(), 0);
}

std::vector<CitiesCatalog::CityRow> CitiesCatalog::ReadCityRows(LONG statePk) const {
    const Statement query = Prepare(raw_, kCitiesOfStateSql);
    sqlite3_bind_int(query.get(), 1, statePk);
    std::vector<CityRow> rows;
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        rows.push_back({ColumnText(query.get(), 0), ColumnText(query.get(), 1)});
    }
    return rows;
}

std::size_t CitiesCatalog::ReadCitiesRaw(LONG statePk) const {
    const Statement query = Prepare(raw_, kCitiesOfStateSql);
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

}  // namespace mundor::bench
