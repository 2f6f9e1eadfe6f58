#include "host/catalog_counts.h"

#include <sqlite3.h>

#include <memory>

namespace mundor::host {

namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

constexpr const char* kCountsSql =
    "SELECT (SELECT count(*) FROM Pais), (SELECT count(*) FROM EdoProv), "
    "(SELECT count(*) FROM Ciudad)";

}  // namespace

std::optional<CatalogCounts> CountCatalog(const std::filesystem::path& catalog) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(catalog.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Database db(raw);
    if (opened != SQLITE_OK) return std::nullopt;
    sqlite3_busy_timeout(db.get(), 1000);
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db.get(), kCountsSql, -1, &prepared, nullptr) != SQLITE_OK) {
        return std::nullopt;
    }
    Statement statement(prepared);
    if (sqlite3_step(statement.get()) != SQLITE_ROW) return std::nullopt;
    return CatalogCounts{sqlite3_column_int64(statement.get(), 0),
                         sqlite3_column_int64(statement.get(), 1),
                         sqlite3_column_int64(statement.get(), 2)};
}

}  // namespace mundor::host
