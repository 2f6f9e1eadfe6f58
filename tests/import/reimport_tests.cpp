// Importing a newer dataset over a catalog its users have edited: what the users changed, deleted
// or added stays as they left it, rows still as imported follow the file, and --overwrite (the
// option `overwrite`) gives the file's values back on request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "runtime/bstr.h"
#include "test_world.h"

namespace {

using import_test::CatalogFile;
using import_test::WorldText;
using nubex::import::ImportOptions;
using nubex::import::ImportSummary;

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

class ReimportTest : public ::testing::Test {
  protected:
    ImportSummary Import(const WorldText& world, const ImportOptions& options = {}) {
        import_test::WriteGzip(dataset, world.Text());
        return nubex::import::LoadWorldIntoCatalog(dataset, catalog, {}, options);
    }

    // What users do between the imports: rename a city, delete a state (its city first, as
    // the catalog requires) and add a country of their own.
    void EditAsUsers() {
        mundor::test::RawCatalog raw(catalog);
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
    CatalogFile db() { return CatalogFile(catalog); }

    import_test::ScratchDir dir;
    mundor::test::ScratchCatalog scratch;
    std::string catalog = scratch.location();
    std::filesystem::path dataset = dir / "world.tsv.gz";
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
    mundor::test::RawCatalog(catalog).Exec("DELETE FROM Nubex_Importado");

    EXPECT_EQ(CountsOf(Import(NewerDataset())), (Counts{4, 0, 4, 2, 0, 0, 0}));
    EXPECT_EQ(CityName("100"), "Aguascalientes");
    EXPECT_EQ(CityName("111"), "Zapopan");
}

}  // namespace
