// The world dataset that ships with the project imports whole (once: it is big): every row of
// the file lands in the catalog, rows keep the identifiers that catalogs already hold, and the
// search finds them.
#include <gtest/gtest.h>

#include "nubex/import/world_file.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "runtime/bstr.h"
#include "test_world.h"

namespace {

std::vector<std::string> Paths(nubex::Catalog* catalog, std::u16string_view text, int limit) {
    std::vector<std::string> paths;
    for (const nubex::SearchHit& hit : nubex::Search(catalog, text, limit)) {
        paths.push_back(mundor::rt::Utf16ToUtf8(hit.PathText()));
    }
    return paths;
}

TEST(ShippedDatasetTest, ImportsEveryRowOfTheFileAndTheSearchFindsAnyPlaceAsTheUserTypes) {
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
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM Ciudad c LEFT JOIN EdoProv e ON e.Sys_PK = "
                          "c.Estado WHERE e.Sys_PK IS NULL"),
              0);
    // Mexico's identifier as earlier releases of the file gave it: a refresh must keep it.
    EXPECT_EQ(db.QueryText("SELECT Sys_GUID || ' ' || Nombre || ' ' || CodigoTel FROM Pais WHERE "
                           "Codigo = 'MX'"),
              "FD8A4531-D981-538A-92E1-B6ED422D68F9 México 52");

    const mundor::rt::Ref<nubex::Catalog> opened = nubex::OpenCatalog(catalog.location());

    EXPECT_EQ(Paths(opened.get(), u"guadal", 5),
              (std::vector<std::string>{"Guadalupe", "Guadalajara — España",
                                        "Guadalcanal — Islas Salomón", "Guadalupe — Francia",
                                        "Guadalajara — Jalisco — México"}));
    EXPECT_EQ(Paths(opened.get(), u"mexico", 1), std::vector<std::string>{"México"});
    EXPECT_EQ(Paths(opened.get(), u"sao paulo", 3),
              (std::vector<std::string>{"São Paulo — Brasil", "São Paulo — São Paulo — Brasil",
                                        "São Paulo — Guarda — Portugal"}));

    // The import rebuilt the indexes whole; what is stored afterwards is found as well.
    mundor::test::RawCatalog(catalog.location())
        .Exec(
            "UPDATE Ciudad SET Nombre = 'Guadalajara de Indias' WHERE Sys_GUID = (SELECT "
            "c.Sys_GUID FROM Ciudad c JOIN EdoProv e ON e.Sys_PK = c.Estado WHERE c.Nombre "
            "= 'Guadalajara' AND e.Nombre = 'Jalisco')");
    EXPECT_EQ(Paths(opened.get(), u"guadalajara de in", 5),
              std::vector<std::string>{"Guadalajara de Indias — Jalisco — México"});
}

}  // namespace
