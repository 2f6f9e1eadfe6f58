// Helpers for the importer's tests: a small world dataset written by the test itself, a scratch
// folder, and a look into a catalog (a file or a PostgreSQL schema) through a plain connection of
// its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog_backends.h"
#include "temp_folder.h"

namespace import_test {

inline constexpr const char* kNamespace = "6f1d2c3a-8b4e-5a7f-9c21-3e5d7a9b0c14";

// Builds the text of a dataset file row by row; the header's counts follow the rows unless a
// test overrides them.
class WorldText {
  public:
    WorldText& Country(std::int64_t id, const std::string& code, const std::string& tel,
                       const std::string& name);
    WorldText& State(std::int64_t id, const std::string& code, const std::string& name);
    WorldText& City(std::int64_t id, const std::string& code, const std::string& name);
    WorldText& Line(const std::string& raw);  // a body line exactly as given

    std::string Text() const;
    std::string TextWithCounts(std::int64_t countries, std::int64_t states,
                               std::int64_t cities) const;
    std::int64_t countries() const { return countries_; }
    std::int64_t states() const { return states_; }
    std::int64_t cities() const { return cities_; }

  private:
    std::vector<std::string> body_;
    std::int64_t countries_ = 0;
    std::int64_t states_ = 0;
    std::int64_t cities_ = 0;
};

// countries x statesPerCountry x citiesPerState rows with accented names and ids that differ
// per kind; `idOffset` shifts every id so two worlds do not overlap.
WorldText SmallWorld(int countries, int statesPerCountry, int citiesPerState, int idOffset = 0);

void WriteGzip(const std::filesystem::path& path, const std::string& content);
void WritePlain(const std::filesystem::path& path, const std::string& content);

using ScratchDir = mundor::test::TempFolder;

// Reads a catalog through a connection of its own.
class CatalogFile {
  public:
    explicit CatalogFile(const std::string& location) : raw_(location) {}

    std::int64_t Integer(const std::string& sql) { return raw_.QueryInt(sql); }
    std::string Text(const std::string& sql) { return raw_.QueryText(sql); }
    std::int64_t Count(const std::string& table) {
        return Integer("SELECT count(*) FROM " + table);
    }
    // Every row of the three tables, in key order: equal snapshots mean nothing changed.
    std::u16string Snapshot() { return raw_.Dump(); }

  private:
    mundor::test::RawCatalog raw_;
};

}  // namespace import_test
