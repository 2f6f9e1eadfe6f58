// Opening catalogs: an existing one keeps its rows; a new file gets the schema, and files that
// are not catalogs are refused with the library's errors (PostgreSQL's own cases are in
// postgres_tests.cpp). Also a catalog filled by plain SQL,
// as the world-dataset importer does it.
#include <fstream>

#include "error_from.h"
#include "nubex/sqlite/schema.h"
#include "test_support.h"

namespace nubex_test {
namespace {

class Opening : public ::testing::Test {
  protected:
    void ExpectOpenRefused(const std::string& path, const nubex::err::ErrorText& error) {
        const rt::RuntimeError e = mundor::testing::ErrorFrom([&] { nubex::OpenCatalog(path); });
        EXPECT_EQ(e.number(), error.number);
        EXPECT_EQ(e.description().substr(0, error.text.size()), error.text);
    }
    TempFolder dir_;
};

TEST_F(Opening, ANewFileGetsTheSchemaInUtf16AndWal) {
    const std::string path = (dir_ / "nuevo.db").string();
    nubex::OpenCatalog(path, {.create = true});
    RawDb raw(path);
    EXPECT_EQ(raw.QueryText("PRAGMA encoding"), "UTF-16le");
    EXPECT_EQ(raw.QueryText("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(raw.QueryInt("PRAGMA user_version"), nubex::sqlite::kSchemaVersion);
    EXPECT_EQ(raw.QueryInt("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN "
                           "('Pais', 'EdoProv', 'Ciudad')"),
              3);
}

TEST(Reopening, AnExistingCatalogKeepsItsRows) {
    const mundor::test::ScratchCatalog scratch;
    const std::string& path = scratch.location();
    LONG pk = 0;
    {
        Ref<nubex::Catalog> catalog = nubex::OpenCatalog(path, {.create = true});
        pk = Pk(AddPais(ConnectionOf(catalog.get()).get(), u"MX", u"México").get());
    }
    Ref<nubex::Catalog> again = nubex::OpenCatalog(path);
    Ref<nubex::Pais> pais = NewPais();
    EXPECT_TRUE(LoadByKey(pais.get(), pk, ConnectionOf(again.get()).get()));
}

TEST_F(Opening, InMemoryCatalogsArePrivate) {
    Ref<nubex::Catalog> a = nubex::OpenCatalog(":memory:");
    Ref<nubex::Catalog> b = nubex::OpenCatalog(":memory:");
    const LONG pk = Pk(AddPais(ConnectionOf(a.get()).get(), u"MX", u"México").get());
    EXPECT_FALSE(LoadByKey(NewPais().get(), pk, ConnectionOf(b.get()).get()));
}

TEST_F(Opening, FilesThatAreNotCatalogsAreRefused) {
    const std::string other = (dir_ / "otra.db").string();
    RawDb(other).Exec("CREATE TABLE Clientes (Id INTEGER)");
    ExpectOpenRefused(other, nubex::err::kNotACatalog);
    EXPECT_EQ(RawDb(other).QueryInt("SELECT count(*) FROM sqlite_schema"), 1);

    const std::string text = (dir_ / "texto.db").string();
    std::ofstream(text) << "esto no es una base de datos, aunque lo parezca por el nombre.\n"
                        << std::string(200, 'x');
    ExpectOpenRefused(text, nubex::err::kCannotOpen);

    ExpectOpenRefused((dir_ / "no/existe/c.db").string(), nubex::err::kNoCatalogThere);
}

TEST_F(Opening, ACatalogFromANewerLibraryIsRefused) {
    const std::string path = (dir_ / "c.db").string();
    nubex::OpenCatalog(path, {.create = true});
    RawDb(path).Exec("PRAGMA user_version = " + std::to_string(nubex::sqlite::kSchemaVersion + 1));
    ExpectOpenRefused(path, nubex::err::kNewerCatalog);
}

TEST_F(Opening, ACatalogFilledByPlainSqlIsReadByTheRecords) {
    const std::string path = (dir_ / "importado.db").string();
    {
        RawDb importer(path);
        importer.Exec(std::string(nubex::sqlite::SchemaSql()));
        importer.Exec("PRAGMA foreign_keys = ON");
        importer.Exec("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES ('MX', 'México', '52')");
        importer.Exec("INSERT INTO EdoProv (IPais, Codigo, Nombre) VALUES (1, 'JAL', 'Jalisco')");
        importer.Exec(
            "INSERT INTO Ciudad (Estado, Codigo, Nombre, CodigoTel) VALUES (1, '', 'Zapopan', "
            "'33'), (1, '', 'Guadalajara', '33')");
        EXPECT_THROW(importer.Exec("INSERT INTO EdoProv (IPais, Nombre) VALUES (9, 'Huérfano')"),
                     std::runtime_error);
    }
    Ref<nubex::Catalog> catalog = nubex::OpenCatalog(path);
    LONG jal = 1;
    Ref<nubex::View> cities;
    ASSERT_EQ(catalog->V_Ciudades(&jal, cities.put()), S_OK);
    rt::Variant field(u"Sys_GUID");
    rt::Variant guid;
    ASSERT_EQ(cities->Item(field.get(), guid.put()), S_OK);
    EXPECT_EQ(guid.AsString().size(), 36u);

    Ref<nubex::Ciudad> ciudad = NewCiudad();
    ASSERT_TRUE(LoadByGuid(ciudad.get(), guid.AsString(), ConnectionOf(catalog.get()).get()));
    EXPECT_EQ(Read(ciudad.get(), &nubex::Ciudad::get_Nombre), u"Guadalajara");
    Ref<nubex::EdoProv> estado;
    ASSERT_EQ(ciudad->get_Estado(estado.put()), S_OK);
    Ref<nubex::Pais> pais;
    ASSERT_EQ(estado->get_IPais(pais.put()), S_OK);
    EXPECT_EQ(Read(pais.get(), &nubex::Pais::get_Nombre), u"México");
}

}  // namespace
}  // namespace nubex_test
