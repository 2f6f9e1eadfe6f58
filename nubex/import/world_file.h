// The world dataset file (format described in data/README.md): read, checked and parsed in
// full before anything touches a catalog, so that a bad file never leaves half an import.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace nubex::import {

inline constexpr std::string_view kWorldFileKind = "mundor-world";
inline constexpr int kWorldFormatVersion = 1;
inline constexpr size_t kMaxCodeLength = 8;  // characters, as the edit dialogs allow
// Far above the world's (250 countries, 5 308 states, 152 970 cities), and low enough that no
// sum of them overflows: a header announcing more is refused before anything is reserved.
inline constexpr std::int64_t kMaxRowsPerKind = 10'000'000;

enum class RowKind : char { kPais = 'P', kEdoProv = 'E', kCiudad = 'C' };

// One row of the body. Texts point into WorldData::text. Rows come in tree order: a country,
// then its states, each state followed by its cities.
struct WorldRow {
    RowKind kind;
    std::int64_t id;  // the source's identifier, unique per kind
    std::string_view codigo;
    std::string_view codigoTel;  // countries only
    std::string_view nombre;
};

struct WorldCounts {
    std::int64_t paises = 0;
    std::int64_t estados = 0;
    std::int64_t ciudades = 0;
    std::int64_t total() const { return paises + estados + ciudades; }
    friend bool operator==(const WorldCounts&, const WorldCounts&) = default;
};

// Where the rows' texts live: blocks that never move, so that rows may point into them.
class TextArena {
  public:
    std::string_view Keep(std::string_view text);

  private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_ = 0;
};

struct WorldData {
    TextArena text;  // the rows' lines; rows refer into it
    std::string guidNamespace;
    WorldCounts counts;
    std::vector<WorldRow> rows;
};

// Reads and checks a dataset file, as a stream: a bad first line is refused before the rest is
// read, and a body with more rows than its header announced as soon as they are read. Raises
// ImportError (kDatasetUnreadable, kDatasetCorrupt or kDatasetVersion) naming the file and, for
// a bad line, its number.
WorldData ReadWorldFile(const std::string& path);

// Parses decompressed content the same way; `origin` names it in error texts.
WorldData ParseWorld(std::string_view content, const std::string& origin);

}  // namespace nubex::import
