// Helpers for the importer's tests: a small world dataset written by the test itself, a scratch
// folder, a look into a catalog (a file or a PostgreSQL schema) through a plain connection of its
// own, and a fixture that imports one into the other.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "catalog_backends.h"
#include "nubex/import/world_loader.h"
#include "temp_folder.h"

namespace import_test {

inline constexpr const char* kNamespace = "6f1d2c3a-8b4e-5a7f-9c21-3e5d7a9b0c14";

// Builds the text of a dataset file row by row; the header's counts follow the rows unless a
// test overrides them.
class WorldText {
  public:
    WorldText& Country(std::int64_t id, const std::string& code, const std::string& tel,
                       const std::string& name) {
        return Row(countries_, "P", id, code + "\t" + tel, name);
    }
    WorldText& State(std::int64_t id, const std::string& code, const std::string& name) {
        return Row(states_, "E", id, code, name);
    }
    WorldText& City(std::int64_t id, const std::string& code, const std::string& name) {
        return Row(cities_, "C", id, code, name);
    }
    WorldText& Line(const std::string& raw) {  // a body line exactly as given
        body_ += raw + "\n";
        return *this;
    }

    std::string Text() const { return TextWithCounts(countries_, states_, cities_); }
    std::string TextWithCounts(std::int64_t countries, std::int64_t states,
                               std::int64_t cities) const;
    std::int64_t countries() const { return countries_; }
    std::int64_t states() const { return states_; }
    std::int64_t cities() const { return cities_; }

  private:
    WorldText& Row(std::int64_t& count, const char* kind, std::int64_t id, const std::string& code,
                   const std::string& name) {
        ++count;
        return Line(kind + ("\t" + std::to_string(id)) + "\t" + code + "\t" + name);
    }

    std::string body_;
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

// A look into a catalog through a connection of its own; Dump() equal before and after means
// nothing changed.
struct CatalogFile : mundor::test::RawCatalog {
    using RawCatalog::RawCatalog;
    long long Count(const std::string& table) { return QueryInt("SELECT count(*) FROM " + table); }
};

// A catalog of the test's own on the process's backend, and a dataset file the test writes into
// a scratch folder.
class ImportTest : public ::testing::Test {
  protected:
    nubex::import::ImportSummary Import(const WorldText& world,
                                        const nubex::import::ImportOptions& options = {}) {
        WriteGzip(dataset, world.Text());
        return nubex::import::LoadWorldIntoCatalog(dataset, catalog, {}, options);
    }
    CatalogFile db() const { return CatalogFile(catalog); }

    ScratchDir dir;
    mundor::test::ScratchCatalog scratch;
    std::string catalog = scratch.location();
    std::filesystem::path dataset = dir / "world.tsv.gz";
};

}  // namespace import_test
