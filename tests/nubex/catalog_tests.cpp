// Opening catalog files: a new file gets the schema, and files that are not catalogs are refused
// with the library's errors (PostgreSQL's own cases are in postgres_tests.cpp; a reopened catalog
// keeps its rows in text_tests.cpp). Also a catalog filled by plain SQL, as the world-dataset
// importer does it.
#include <fstream>

#include "nubex/sqlite/schema.h"
#include "test_support.h"

namespace nubex_test {
namespace {

class Opening : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    TempFolder dir_;
};

TEST_F(Opening, ANewFileGetsTheSchemaInUtf16AndWal) {
    nubex::OpenCatalog(Path("nuevo.db"), {.create = true});
    RawDb raw(Path("nuevo.db"));
    EXPECT_EQ(raw.QueryText("PRAGMA encoding"), "UTF-16le");
    EXPECT_EQ(raw.QueryText("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(raw.QueryInt("PRAGMA user_version"), nubex::sqlite::kSchemaVersion);
}

TEST_F(Opening, InMemoryCatalogsWorkAndArePrivate) {
    Ref<nubex::Catalog> a = nubex::OpenCatalog(":memory:");
    Ref<nubex::Catalog> b = nubex::OpenCatalog(":memory:");
    const LONG pk = Pk(AddPais(ConnectionOf(a.get()).get(), u"MX", u"México").get());
    EXPECT_TRUE(LoadByKey(NewPais().get(), pk, ConnectionOf(a.get()).get()));
    EXPECT_FALSE(LoadByKey(NewPais().get(), pk, ConnectionOf(b.get()).get()));
}

TEST_F(Opening, FilesThatAreNotCatalogsOfThisLibraryAreRefusedAndLeftAlone) {
    RawDb(Path("otra.db")).Exec("CREATE TABLE Clientes (Id INTEGER)");
    std::ofstream(Path("texto.db")) << "esto no es una base de datos, aunque lo parezca.\n"
                                    << std::string(200, 'x');
    nubex::OpenCatalog(Path("nueva.db"), {.create = true});
    RawDb(Path("nueva.db"))
        .Exec("PRAGMA user_version = " + std::to_string(nubex::sqlite::kSchemaVersion + 1));
    const struct {
        const char* name;
        const nubex::err::ErrorText& error;
    } cases[] = {{"otra.db", nubex::err::kNotACatalog},
                 {"texto.db", nubex::err::kCannotOpen},
                 {"no/existe/c.db", nubex::err::kNoCatalogThere},
                 {"nueva.db", nubex::err::kNewerCatalog}};
    for (const auto& refused : cases) {
        const rt::RuntimeError e = OpenError(Path(refused.name));
        EXPECT_EQ(e.number(), refused.error.number) << refused.name;
        EXPECT_EQ(e.description().substr(0, refused.error.text.size()), refused.error.text)
            << refused.name;
    }
    // The engine's own words follow the library's Spanish sentence.
    EXPECT_EQ(OpenError(Path("texto.db")).description(),
              std::u16string(nubex::err::kCannotOpen.text) + u"file is not a database");
    EXPECT_EQ(RawDb(Path("otra.db")).QueryInt("SELECT count(*) FROM sqlite_schema"), 1);
}

// The rows such a catalog holds (identifiers made by the schema, parents loaded with each record)
// are what the host's main window reads and edits: MainWindowTest.FindsPlacesAsTheUserTypes*
// (a 36-character Sys_GUID) and MainWindowTest.ModifyChangesThePlaceAndTheListFollows.
TEST_F(Opening, ACatalogMadeByPlainSqlFromTheSchemaKeepsItsParentsAndOpens) {
    {
        RawDb importer(Path("importado.db"));
        importer.Exec(std::string(nubex::sqlite::SchemaSql()));
        importer.Exec("PRAGMA foreign_keys = ON");
        importer.Exec("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES ('MX', 'México', '52')");
        EXPECT_THROW(importer.Exec("INSERT INTO EdoProv (IPais, Nombre) VALUES (9, 'Huérfano')"),
                     std::runtime_error);
    }
    Ref<nubex::Catalog> catalog = nubex::OpenCatalog(Path("importado.db"));
    Ref<nubex::Pais> pais = NewPais();
    ASSERT_TRUE(LoadByKey(pais.get(), 1, ConnectionOf(catalog.get()).get()));
    EXPECT_EQ(Read(pais.get(), &nubex::Pais::get_Nombre), u"México");
}

}  // namespace
}  // namespace nubex_test
