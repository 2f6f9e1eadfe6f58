// How many countries, states and cities a catalog file holds, for the window's status line.
// Read straight from the file's tables (their names are the library's stable schema) over a
// read-only connection: three counts cost a few milliseconds, where walking the views would
// take seconds.
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

// None when the file cannot be read as a catalog.
std::optional<CatalogCounts> CountCatalog(const std::filesystem::path& catalog);

}  // namespace mundor::host
