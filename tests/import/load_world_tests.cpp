// Loading a world dataset into a catalog (a file, or a PostgreSQL schema): what lands in the
// tables, the progress told on the way, and that a failure half way leaves the catalog as it was.
// What a second or a refreshed import does is reimport_tests.cpp's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nubex/import/import_error.h"
#include "nubex/import/world_loader.h"
#include "test_world.h"

namespace {

using import_test::CatalogFile;
using import_test::ScratchDir;
using import_test::SmallWorld;
using import_test::WorldText;
using nubex::import::ImportErrc;
using nubex::import::ImportError;
using nubex::import::ImportProgress;
using nubex::import::ImportSummary;
using nubex::import::LoadWorldIntoCatalog;

// Runs `body` and gives the number of the ImportError it raised (0 when none).
template <class Body>
int ImportErrorNumberOf(Body&& body, std::string* message = nullptr) {
    try {
        body();
    } catch (const ImportError& error) {
        if (message) *message = error.what();
        return error.number();
    }
    return 0;
}

class LoadWorldTest : public ::testing::Test {
  protected:
    ImportSummary Import(const WorldText& world) {
        import_test::WriteGzip(dataset, world.Text());
        return LoadWorldIntoCatalog(dataset, catalog);
    }

    ScratchDir dir;
    mundor::test::ScratchCatalog scratch;
    std::string catalog = scratch.location();
    std::filesystem::path dataset = dir / "world.tsv.gz";
};

TEST_F(LoadWorldTest, NewCatalogHoldsEveryRowUnderItsParent) {
    const ImportSummary summary = Import(SmallWorld(3, 2, 4));

    EXPECT_EQ(summary.added, 33);
    CatalogFile db(catalog);
    EXPECT_EQ(db.Count("Pais"), 3);
    EXPECT_EQ(db.Count("EdoProv"), 6);
    EXPECT_EQ(db.Count("Ciudad"), 24);
    // Cities 5 to 8 follow the second state of the first country in the file.
    EXPECT_EQ(
        db.QueryText("SELECT p.Codigo || '/' || e.Codigo || '/' || c.Codigo FROM Ciudad c "
                     "JOIN EdoProv e ON e.Sys_PK = c.Estado JOIN Pais p ON p.Sys_PK = e.IPais "
                     "WHERE c.Nombre = 'Ciudad José 7'"),
        "P1/E2/7");
    EXPECT_EQ(db.QueryText("SELECT Nombre || '|' || CodigoTel FROM Pais WHERE Codigo = 'P2'"),
              "País Ñandú 2|52");
    EXPECT_EQ(db.Count("Ciudad WHERE CodigoTel <> ''"), 0);
    // Every row its own identifier, an upper-case UUID v5, though kinds share source ids here;
    // made from the kind and the source id, it is the same in every catalog (the shipped
    // dataset's test pins one).
    EXPECT_EQ(db.QueryInt("SELECT count(DISTINCT g) FROM (SELECT Sys_GUID AS g FROM Pais UNION "
                          "ALL SELECT Sys_GUID FROM EdoProv UNION ALL SELECT Sys_GUID FROM Ciudad) "
                          "AS guids WHERE length(g) = 36 AND substr(g, 15, 1) = '5' AND g = "
                          "upper(g)"),
              33);
}

TEST_F(LoadWorldTest, CodeTakenByAnotherRowRollsBackTheWholeImport) {
    Import(SmallWorld(1, 1, 1));
    CatalogFile(catalog).Exec("INSERT INTO Pais (Codigo, Nombre) VALUES ('ZZ', 'Creado a mano')");
    const std::u16string before = CatalogFile(catalog).Dump();

    // Many new rows go in before the last country runs into the user's code.
    WorldText world = SmallWorld(3, 3, 5, 1000);
    world.Country(5000, "ZZ", "99", "Zeta");
    std::string message;
    EXPECT_EQ(ImportErrorNumberOf([&] { Import(world); }, &message),
              static_cast<int>(ImportErrc::kConflict));

    EXPECT_NE(message.find("\"ZZ\""), std::string::npos) << message;
    EXPECT_EQ(CatalogFile(catalog).Dump(), before);
}

TEST_F(LoadWorldTest, ProgressClimbsToTheTotalAndAFalseAnswerCancelsLeavingNothing) {
    const WorldText world = SmallWorld(2, 5, 1000);
    import_test::WriteGzip(dataset, world.Text());
    int calls = 0;
    EXPECT_EQ(ImportErrorNumberOf([&] {
                  LoadWorldIntoCatalog(dataset, catalog, [&calls](const ImportProgress&) {
                      ++calls;
                      return false;
                  });
              }),
              static_cast<int>(ImportErrc::kCancelled));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(
        CatalogFile(catalog).QueryInt("SELECT (SELECT count(*) FROM Pais) + (SELECT "
                                      "count(*) FROM EdoProv) + (SELECT count(*) FROM Ciudad)"),
        0);

    std::vector<ImportProgress> reports;
    LoadWorldIntoCatalog(dataset, catalog, [&reports](const ImportProgress& state) {
        reports.push_back(state);
        return true;
    });
    const std::int64_t total = world.countries() + world.states() + world.cities();
    ASSERT_GE(reports.size(), 2u);
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GT(reports[i].done, reports[i - 1].done);
        EXPECT_EQ(reports[i].total, total);
    }
    EXPECT_EQ(reports.back().done, total);
}

// A missing folder, a file that is no database, and another program's database.
TEST_F(LoadWorldTest, CatalogThatCannotBeUsedIsReportedAndLeftAsItWas) {
    import_test::WriteGzip(dataset, SmallWorld(1, 1, 1).Text());
    const std::filesystem::path notes = dir / "notas.db";
    const std::filesystem::path foreign = dir / "ajeno.db";
    import_test::WritePlain(notes, std::string(4096, 'x'));
    CatalogFile(foreign.string())
        .Exec("CREATE TABLE Facturas (Numero INTEGER); INSERT INTO Facturas VALUES (1)");

    for (const std::filesystem::path& place : {dir / "no-such-folder" / "c.db", notes, foreign}) {
        std::string message;
        EXPECT_EQ(
            ImportErrorNumberOf([&] { LoadWorldIntoCatalog(dataset, place.string()); }, &message),
            static_cast<int>(ImportErrc::kDatabase));
        EXPECT_NE(message.find(place.string()), std::string::npos) << message;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
    EXPECT_EQ(mundor::test::ReadFile(notes), std::string(4096, 'x'));
    CatalogFile db(foreign.string());
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM sqlite_schema"), 1);
    EXPECT_EQ(db.Count("Facturas"), 1);
}

}  // namespace
