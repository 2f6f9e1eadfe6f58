// How many countries, states and cities a catalog holds, for the window's status line. Read
// straight from its tables (their names are the library's stable schema) over a connection of
// its own through nubex's backend, a file or a server alike: three counts cost a few
// milliseconds, where walking the views would take seconds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace mundor::host {

struct CatalogCounts {
    std::int64_t paises = 0;
    std::int64_t estados = 0;
    std::int64_t ciudades = 0;
    friend bool operator==(const CatalogCounts&, const CatalogCounts&) = default;
};

// None when the catalog (a file's path or a PostgreSQL location) cannot be read.
std::optional<CatalogCounts> CountCatalog(const std::filesystem::path& catalog);

}  // namespace mundor::host
