#include "host/catalog_counts.h"

#include "nubex/backend/open_database.h"
#include "runtime/error.h"

namespace mundor::host {

namespace {

constexpr const char* kCountsSql =
    "SELECT (SELECT count(*) FROM Pais), (SELECT count(*) FROM EdoProv), "
    "(SELECT count(*) FROM Ciudad)";
constexpr int kBusyTimeoutMs = 1000;

}  // namespace

std::optional<CatalogCounts> CountCatalog(const std::filesystem::path& catalog) {
    try {
        const auto database = nubex::db::OpenDatabase(catalog.string(), kBusyTimeoutMs);
        const auto statement = database->Prepare(kCountsSql);
        if (!statement->Step()) return std::nullopt;
        return CatalogCounts{statement->Int(0), statement->Int(1), statement->Int(2)};
    } catch (const nubex::db::DbError&) {
        return std::nullopt;
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace mundor::host
