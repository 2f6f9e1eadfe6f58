// Loading a world dataset into a catalog (a file, or a PostgreSQL schema): a failure half way
// leaves the catalog as it was, and the progress is told on the way. Then importing a newer
// dataset over a catalog its users have edited: what the users changed, deleted or added stays as
// they left it, rows still as imported follow the file, and --overwrite (the option `overwrite`)
// gives the file's values back on request. What lands in the tables from a whole dataset is
// shipped_dataset_tests.cpp's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nubex/import/import_error.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "runtime/bstr.h"
#include "test_world.h"

namespace {

using import_test::CatalogFile;
using import_test::ImportTest;
using import_test::SmallWorld;
using import_test::WorldText;
using nubex::import::ImportErrc;
using nubex::import::ImportError;
using nubex::import::ImportOptions;
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

using LoadWorldTest = ImportTest;

TEST_F(LoadWorldTest, CodeTakenByAnotherRowRollsBackTheWholeImport) {
    Import(SmallWorld(1, 1, 1));
    db().Exec("INSERT INTO Pais (Codigo, Nombre) VALUES ('ZZ', 'Creado a mano')");
    const std::u16string before = db().Dump();

    // Many new rows go in before the last country runs into the user's code.
    WorldText world = SmallWorld(3, 3, 5, 1000);
    world.Country(5000, "ZZ", "99", "Zeta");
    std::string message;
    EXPECT_EQ(ImportErrorNumberOf([&] { Import(world); }, &message),
              static_cast<int>(ImportErrc::kConflict));

    EXPECT_NE(message.find("\"ZZ\""), std::string::npos) << message;
    EXPECT_EQ(db().Dump(), before);
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
    EXPECT_EQ(db().QueryInt("SELECT (SELECT count(*) FROM Pais) + (SELECT "
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

// A file that is no database, and another program's database.
TEST_F(LoadWorldTest, CatalogThatCannotBeUsedIsReportedAndLeftAsItWas) {
    import_test::WriteGzip(dataset, SmallWorld(1, 1, 1).Text());
    const std::filesystem::path notes = dir / "notas.db";
    const std::filesystem::path foreign = dir / "ajeno.db";
    import_test::WritePlain(notes, std::string(4096, 'x'));
    CatalogFile(foreign.string())
        .Exec("CREATE TABLE Facturas (Numero INTEGER); INSERT INTO Facturas VALUES (1)");

    // A missing folder: ImportCommandTest.EveryRunEndsWithItsDocumentedStatusAndSaysWhyInSpanish.
    for (const std::filesystem::path& place : {notes, foreign}) {
        std::string message;
        EXPECT_EQ(
            ImportErrorNumberOf([&] { LoadWorldIntoCatalog(dataset, place.string()); }, &message),
            static_cast<int>(ImportErrc::kDatabase));
        EXPECT_NE(message.find(place.string()), std::string::npos) << message;
    }
    EXPECT_EQ(mundor::test::ReadFile(notes), std::string(4096, 'x'));
    CatalogFile other(foreign.string());
    EXPECT_EQ(other.QueryInt("SELECT count(*) FROM sqlite_schema"), 1);
    EXPECT_EQ(other.Count("Facturas"), 1);
}

// The dataset a catalog was first loaded from, and the newer one imported over the users' edits.
WorldText FirstDataset() {
    WorldText world;
    world.Country(1, "MX", "52", "México");
    world.State(10, "AGU", "Aguascalientes").City(100, "100", "Aguascalientes");
    world.City(101, "101", "Calvillo");
    world.State(11, "JAL", "Jalisco").City(110, "110", "Guadalajara");
    return world;
}

WorldText NewerDataset(const std::string& calvillo = "Calvillo Centro") {
    WorldText world;
    world.Country(1, "MX", "52", "México");
    world.State(10, "AGU", "Aguascalientes").City(100, "100", "Aguascalientes Centro");
    world.City(101, "101", calvillo);
    world.State(11, "JAL", "Jalisco").City(110, "110", "Guadalajara").City(111, "111", "Zapopan");
    world.Country(2, "AR", "54", "Argentina").State(20, "B", "Buenos Aires");
    world.City(200, "200", "La Plata");
    return world;
}

// What the import did, in this order: added, updated, unchanged, keptUserChanges, notRestored,
// restored, usersRows.
using Counts = std::vector<std::int64_t>;
Counts CountsOf(const ImportSummary& s) {
    return {s.added,       s.updated,  s.unchanged, s.keptUserChanges,
            s.notRestored, s.restored, s.usersRows};
}

class ReimportTest : public ImportTest {
  protected:
    // What users do between the imports: rename a city, delete a state (its city first, as
    // the catalog requires) and add a country of their own.
    void EditAsUsers() {
        CatalogFile raw = db();
        raw.Exec("UPDATE Ciudad SET Nombre = 'Calvillo Pueblo Mágico' WHERE Codigo = '101'");
        raw.Exec("DELETE FROM Ciudad WHERE Codigo = '110'");
        raw.Exec("DELETE FROM EdoProv WHERE Codigo = 'JAL'");
        raw.Exec("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES ('ZZ', 'Zeta', '999')");
    }

    std::string CityName(const std::string& code) {
        return db().QueryText("SELECT coalesce((SELECT Nombre FROM Ciudad WHERE Codigo = '" + code +
                              "'), '(no está)')");
    }
    std::string Places() {
        return db().QueryText(
            "SELECT (SELECT count(*) FROM Pais) || ' ' || (SELECT count(*) FROM EdoProv) || ' ' "
            "|| (SELECT count(*) FROM Ciudad) || ' ' || (SELECT Nombre || ' ' || CodigoTel || "
            "' ' || Sys_Version FROM Pais WHERE Codigo = 'ZZ')");
    }
};

TEST_F(ReimportTest, ANewerDatasetKeepsEveryUserEditAndSaysWhatItDid) {
    Import(FirstDataset());
    const std::string key100 =
        std::to_string(db().QueryInt("SELECT Sys_PK FROM Ciudad WHERE Codigo = '100'"));
    EditAsUsers();

    const ImportSummary summary = Import(NewerDataset());

    // AR, its state and city new; city 100 as imported, so renamed; MX and AGU as they were;
    // city 101 renamed by a user; JAL deleted by a user, with its old and its new city.
    EXPECT_EQ(CountsOf(summary), (Counts{3, 1, 2, 1, 3, 0, 1}));
    EXPECT_EQ(db().QueryText("SELECT Nombre || ' v' || Sys_Version || ' #' || Sys_PK FROM Ciudad "
                             "WHERE Codigo = '100'"),
              "Aguascalientes Centro v2 #" + key100);  // updated in place
    EXPECT_EQ(CityName("101"), "Calvillo Pueblo Mágico");
    EXPECT_EQ(CityName("111"), "(no está)");
    EXPECT_EQ(db().QueryInt("SELECT count(*) FROM EdoProv WHERE Codigo = 'JAL'"), 0);
    EXPECT_EQ(Places(), "3 2 3 Zeta 999 1");

    // The search follows the rows a small import writes one by one.
    const mundor::rt::Ref<nubex::Catalog> opened = nubex::OpenCatalog(catalog);
    for (const char16_t* text : {u"aguascalientes c", u"la plata"}) {
        EXPECT_EQ(nubex::Search(opened.get(), text).size(), 1u) << mundor::rt::Utf16ToUtf8(text);
    }

    // Importing the same file again writes nothing, and still respects the edits.
    const std::u16string before = db().Dump();
    EXPECT_EQ(CountsOf(Import(NewerDataset())), (Counts{0, 0, 6, 1, 3, 0, 1}));
    EXPECT_EQ(db().Dump(), before);
}

TEST_F(ReimportTest, OverwriteGivesBackTheFilesValuesButNeverTouchesUsersRows) {
    Import(FirstDataset());
    EditAsUsers();
    Import(NewerDataset());

    const ImportSummary summary = Import(NewerDataset(), {.overwrite = true});

    // City 101's name, JAL and city 110 come back; city 111 was never in the catalog: new.
    EXPECT_EQ(CountsOf(summary), (Counts{1, 0, 6, 0, 0, 3, 1}));
    EXPECT_EQ(CityName("101"), "Calvillo Centro");
    EXPECT_EQ(CityName("111"), "Zapopan");
    EXPECT_EQ(Places(), "3 3 5 Zeta 999 1");
    // From now on those rows are as imported again: a newer file updates them.
    EXPECT_EQ(CountsOf(Import(NewerDataset("Calvillo de nuevo"))), (Counts{0, 1, 9, 0, 0, 0, 1}));
    EXPECT_EQ(CityName("101"), "Calvillo de nuevo");
}

// A catalog loaded before imports were remembered: rows that differ from the file may be the
// users' work, so they are kept; the others are remembered from now on.
TEST_F(ReimportTest, RowsImportedBeforeTheCatalogRememberedAreKeptWhenTheyDiffer) {
    Import(FirstDataset());
    db().Exec("DELETE FROM Nubex_Importado");

    EXPECT_EQ(CountsOf(Import(NewerDataset())), (Counts{4, 0, 4, 2, 0, 0, 0}));
    EXPECT_EQ(CityName("100"), "Aguascalientes");
    EXPECT_EQ(CityName("111"), "Zapopan");
}

}  // namespace
