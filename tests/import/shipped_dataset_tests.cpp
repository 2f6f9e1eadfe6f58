// The world dataset that ships with the project imports whole: every row of the file lands in
// the catalog, and rows keep the identifiers that catalogs already hold.
#include <gtest/gtest.h>

#include "nubex/import/world_file.h"
#include "nubex/import/world_loader.h"
#include "test_world.h"

namespace {

TEST(ShippedDatasetTest, ImportsEveryRowOfTheFile) {
    const mundor::test::ScratchCatalog catalog;
    const nubex::import::WorldData file = nubex::import::ReadWorldFile(WORLD_DATASET);

    const auto summary = nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, catalog.location());

    EXPECT_EQ(summary.counts, file.counts);
    EXPECT_EQ(summary.added, file.counts.total());
    import_test::CatalogFile db(catalog.location());
    EXPECT_EQ(db.Count("Pais"), file.counts.paises);
    EXPECT_EQ(db.Count("EdoProv"), file.counts.estados);
    EXPECT_EQ(db.Count("Ciudad"), file.counts.ciudades);
    // Every country has a telephone code; no state or city is left without its parent.
    EXPECT_EQ(db.Count("Pais WHERE CodigoTel = ''"), 0);
    EXPECT_EQ(db.Integer("SELECT count(*) FROM Ciudad c LEFT JOIN EdoProv e ON e.Sys_PK = "
                         "c.Estado WHERE e.Sys_PK IS NULL"),
              0);
    // Mexico's identifier as earlier releases of the file gave it: a refresh must keep it.
    EXPECT_EQ(db.Text("SELECT Sys_GUID || ' ' || Nombre || ' ' || CodigoTel FROM Pais WHERE "
                      "Codigo = 'MX'"),
              "FD8A4531-D981-538A-92E1-B6ED422D68F9 México 52");
}

}  // namespace
