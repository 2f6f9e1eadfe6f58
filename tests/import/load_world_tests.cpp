// Loading a world dataset into a catalog (a file, or a PostgreSQL schema): what lands in the
// tables, what a second or a refreshed import does, and that a failure half way leaves the
// catalog as it was.
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
using import_test::ScratchDir;
using import_test::SmallWorld;
using import_test::WorldText;
using nubex::import::ImportErrc;
using nubex::import::ImportError;
using nubex::import::ImportProgress;
using nubex::import::ImportSummary;
using nubex::import::LoadWorldIntoCatalog;
namespace rt = mundor::rt;

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

void ExecuteSql(const std::string& location, const std::string& sql) {
    mundor::test::RawCatalog(location).Exec(sql);
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

    EXPECT_EQ(summary.counts.paises, 3);
    EXPECT_EQ(summary.counts.estados, 6);
    EXPECT_EQ(summary.counts.ciudades, 24);
    EXPECT_EQ(summary.added, 33);
    CatalogFile db(catalog);
    EXPECT_EQ(db.Count("Pais"), 3);
    EXPECT_EQ(db.Count("EdoProv"), 6);
    EXPECT_EQ(db.Count("Ciudad"), 24);
    // Cities 5 to 8 follow the second state of the first country in the file.
    EXPECT_EQ(db.Text("SELECT p.Codigo || '/' || e.Codigo || '/' || c.Codigo FROM Ciudad c "
                      "JOIN EdoProv e ON e.Sys_PK = c.Estado JOIN Pais p ON p.Sys_PK = e.IPais "
                      "WHERE c.Nombre = 'Ciudad José 7'"),
              "P1/E2/7");
    EXPECT_EQ(db.Text("SELECT Nombre || '|' || CodigoTel FROM Pais WHERE Codigo = 'P2'"),
              "País Ñandú 2|52");
    EXPECT_EQ(db.Count("Ciudad WHERE CodigoTel <> ''"), 0);
}

TEST_F(LoadWorldTest, SecondImportOfTheSameFileChangesNothing) {
    Import(SmallWorld(3, 2, 4));
    const std::u16string before = CatalogFile(catalog).Snapshot();

    const ImportSummary again = Import(SmallWorld(3, 2, 4));

    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.updated, 0);
    EXPECT_EQ(again.unchanged, 33);
    EXPECT_EQ(CatalogFile(catalog).Snapshot(), before);
}

TEST_F(LoadWorldTest, RefreshedFileUpdatesChangedRowsInPlaceAndAddsNewOnes) {
    WorldText first;
    first.Country(1, "MX", "52", "México").State(10, "AGU", "Aguascalientes");
    first.City(100, "100", "Aguascalientes").City(101, "101", "Calvillo");
    Import(first);
    const std::int64_t calvilloPk =
        CatalogFile(catalog).Integer("SELECT Sys_PK FROM Ciudad WHERE Nombre = 'Calvillo'");

    WorldText refreshed;
    refreshed.Country(1, "MX", "52", "México").State(10, "AGU", "Aguascalientes");
    refreshed.City(100, "100", "Aguascalientes").City(101, "101", "Calvillo Centro");
    refreshed.City(102, "102", "Jesús María");
    const ImportSummary summary = Import(refreshed);

    EXPECT_EQ(summary.added, 1);
    EXPECT_EQ(summary.updated, 1);
    EXPECT_EQ(summary.unchanged, 3);
    CatalogFile db(catalog);
    EXPECT_EQ(db.Count("Ciudad"), 3);
    EXPECT_EQ(db.Text("SELECT Nombre || '|' || Sys_Version FROM Ciudad WHERE Sys_PK = " +
                      std::to_string(calvilloPk)),
              "Calvillo Centro|2");
    // The search follows the rows a small import writes one by one.
    const rt::Ref<nubex::Catalog> opened = nubex::OpenCatalog(catalog);
    for (const char16_t* text : {u"calvillo c", u"jesus"}) {
        const std::vector<nubex::SearchHit> hits = nubex::Search(opened.get(), text);
        ASSERT_EQ(hits.size(), 1u) << rt::Utf16ToUtf8(text);
        EXPECT_EQ(hits[0].path.back(), u"México");
    }
}

TEST_F(LoadWorldTest, RowsKeepTheirSysGuidFromOneCatalogToAnother) {
    WorldText world;
    world.Country(7, "AR", "54", "Argentina").State(7, "B", "Buenos Aires");
    world.City(7, "7", "La Plata");
    Import(world);
    const mundor::test::ScratchCatalog otherCatalog;
    const std::string& other = otherCatalog.location();
    LoadWorldIntoCatalog(dataset, other);

    const std::string guids =
        "SELECT (SELECT Sys_GUID FROM Pais) || ' ' || (SELECT Sys_GUID FROM EdoProv) || ' ' || "
        "(SELECT Sys_GUID FROM Ciudad)";
    const std::string first = CatalogFile(catalog).Text(guids);
    EXPECT_EQ(CatalogFile(other).Text(guids), first);
    // The same source id in three kinds gives three identifiers, each an upper-case UUID v5.
    CatalogFile db(catalog);
    EXPECT_EQ(
        db.Integer(
            "SELECT count(DISTINCT g) FROM (SELECT Sys_GUID AS g FROM Pais UNION "
            "ALL SELECT Sys_GUID FROM EdoProv UNION ALL SELECT Sys_GUID FROM Ciudad) AS guids "
            "WHERE length(g) = 36 AND substr(g, 15, 1) = '5' AND g = upper(g)"),
        3);
}

TEST_F(LoadWorldTest, CodeTakenByAnotherRowRollsBackTheWholeImport) {
    Import(SmallWorld(1, 1, 1));
    ExecuteSql(catalog, "INSERT INTO Pais (Codigo, Nombre) VALUES ('ZZ', 'Creado a mano')");
    const std::u16string before = CatalogFile(catalog).Snapshot();

    // Many new rows go in before the last country runs into the user's code.
    WorldText world = SmallWorld(3, 3, 5, 1000);
    world.Country(5000, "ZZ", "99", "Zeta");
    std::string message;
    EXPECT_EQ(ImportErrorNumberOf([&] { Import(world); }, &message),
              static_cast<int>(ImportErrc::kConflict));

    EXPECT_NE(message.find("\"ZZ\""), std::string::npos) << message;
    EXPECT_EQ(CatalogFile(catalog).Snapshot(), before);
}

TEST_F(LoadWorldTest, CancelFromTheProgressCallbackLeavesTheCatalogEmpty) {
    import_test::WriteGzip(dataset, SmallWorld(2, 5, 500).Text());
    int calls = 0;
    const auto cancelAtOnce = [&calls](const ImportProgress&) {
        ++calls;
        return false;
    };

    EXPECT_EQ(ImportErrorNumberOf([&] { LoadWorldIntoCatalog(dataset, catalog, cancelAtOnce); }),
              static_cast<int>(ImportErrc::kCancelled));

    EXPECT_EQ(calls, 1);
    CatalogFile db(catalog);
    EXPECT_EQ(db.Count("Pais") + db.Count("EdoProv") + db.Count("Ciudad"), 0);
}

TEST_F(LoadWorldTest, ProgressClimbsToTheTotal) {
    const WorldText world = SmallWorld(2, 5, 1000);
    import_test::WriteGzip(dataset, world.Text());
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

TEST_F(LoadWorldTest, CatalogThatCannotBeOpenedIsReported) {
    import_test::WriteGzip(dataset, SmallWorld(1, 1, 1).Text());

    std::string message;
    EXPECT_EQ(
        ImportErrorNumberOf([&] { LoadWorldIntoCatalog(dataset, dir / "no-such-folder" / "c.db"); },
                            &message),
        static_cast<int>(ImportErrc::kDatabase));
    EXPECT_NE(message.find("no-such-folder"), std::string::npos) << message;

    const std::filesystem::path notADatabase = dir / "notas.db";
    import_test::WritePlain(notADatabase, std::string(4096, 'x'));
    EXPECT_EQ(ImportErrorNumberOf([&] { LoadWorldIntoCatalog(dataset, notADatabase.string()); }),
              static_cast<int>(ImportErrc::kDatabase));
    EXPECT_EQ(mundor::test::ReadFile(notADatabase), std::string(4096, 'x'));
}

TEST_F(LoadWorldTest, ForeignDatabaseIsNotTouched) {
    const std::filesystem::path foreign = dir / "ajeno.db";
    ExecuteSql(foreign.string(),
               "CREATE TABLE Facturas (Numero INTEGER); INSERT INTO Facturas VALUES (1)");
    import_test::WriteGzip(dataset, SmallWorld(1, 1, 1).Text());

    EXPECT_EQ(ImportErrorNumberOf([&] { LoadWorldIntoCatalog(dataset, foreign.string()); }),
              static_cast<int>(ImportErrc::kDatabase));

    CatalogFile db(foreign.string());
    EXPECT_EQ(db.Integer("SELECT count(*) FROM sqlite_schema"), 1);
    EXPECT_EQ(db.Count("Facturas"), 1);
}

}  // namespace
