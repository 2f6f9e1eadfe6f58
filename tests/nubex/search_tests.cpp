// The search over the catalog as a host sees it, typed (nubex::Search) and by name (V_Buscar):
// what a text finds and in which order, the paths, staying in step with every store, rename
// and delete (the library's and plain SQL's), texts no query language should choke on, and a
// catalog from before the search.
#include <filesystem>
#include <vector>

#include "error_from.h"
#include "nubex/pg/schema.h"
#include "nubex/search.h"
#include "nubex/sqlite/schema.h"
#include "runtime/call_by_name.h"
#include "test_support.h"

namespace nubex_test {
namespace {

using nubex::PlaceLevel;

// "palabra: São José dos Campos — São Paulo — Brasil": what the host shows for a hit.
std::string Shown(const nubex::SearchHit& hit) {
    static const char* const kinds[] = {"", "exacta", "inicio", "palabra"};
    return std::string(kinds[static_cast<int>(hit.match)]) + ": " + rt::Utf16ToUtf8(hit.PathText());
}

class Search : public SampleCatalogTest {
  protected:
    Search() {
        const LONG mx = Pk(mx_.get());
        const LONG br = Pk(AddPais(cnn_.get(), u"BR", u"Brasil", u"55").get());
        const LONG es = Pk(AddPais(cnn_.get(), u"ES", u"España", u"34").get());
        const LONG cl = Pk(AddPais(cnn_.get(), u"CL", u"Chile", u"56").get());
        AddPais(cnn_.get(), u"KN", u"San Cristóbal y Nieves", u"1869");
        AddEdoProv(cnn_.get(), mx, u"CMX", u"Ciudad de México");
        const LONG zac = Pk(AddEdoProv(cnn_.get(), mx, u"ZAC", u"Zacatecas").get());
        const LONG sp = Pk(AddEdoProv(cnn_.get(), br, u"SP", u"São Paulo").get());
        const LONG gu = Pk(AddEdoProv(cnn_.get(), es, u"GU", u"Guadalajara").get());
        AddEdoProv(cnn_.get(), cl, u"LI", u"O'Higgins");
        AddCiudad(cnn_.get(), jalisco_, u"ZAP", u"Zapopan");
        AddCiudad(cnn_.get(), zac, u"NIE", u"Nieves");
        AddCiudad(cnn_.get(), sp, u"3550308", u"São Paulo", u"11");
        AddCiudad(cnn_.get(), sp, u"3549904", u"São José dos Campos", u"12");
        AddCiudad(cnn_.get(), gu, u"19130", u"Guadalajara", u"949");
    }

    std::vector<std::string> Found(std::u16string_view text,
                                   int limit = nubex::kDefaultSearchLimit) {
        std::vector<std::string> shown;
        for (const nubex::SearchHit& hit : nubex::Search(catalog_.get(), text, limit)) {
            shown.push_back(Shown(hit));
        }
        return shown;
    }

    const LONG jalisco_ = Pk(jal_.get());
};

struct Expected {
    const char16_t* text;
    std::vector<std::string> shown;
};

// Kinds first (whole name or code, beginning, words elsewhere), then countries, states and
// cities, each by name and then by key; case and accents never count. (The host's search pane
// tests, MainWindowTest.FindsPlacesAsTheUserTypes*, check the plain kinds and levels.)
const Expected kRanking[] = {
    {u"MÉXICO", {"exacta: México", "palabra: Ciudad de México — México"}},
    {u"guadal",
     {"inicio: Guadalajara — España", "inicio: Guadalajara — Jalisco — México",
      "inicio: Guadalajara — Guadalajara — España"}},
    {u"Sao  PAULO", {"exacta: São Paulo — Brasil", "exacta: São Paulo — São Paulo — Brasil"}},
    // A city that is the whole text comes before a country that only has it as a word.
    {u"nieves", {"exacta: Nieves — Zacatecas — México", "palabra: San Cristóbal y Nieves"}},
    // Every word must match; all but the last as whole words.
    {u"jose cam", {"palabra: São José dos Campos — São Paulo — Brasil"}},
    {u"jos campos", {}},
    {u"ciudad de", {"inicio: Ciudad de México — México"}},
    // Codes: Jalisco's is JAL; its name only begins with the text.
    {u"jal", {"exacta: Jalisco — México"}},
    {u"gdl", {"exacta: Guadalajara — Jalisco — México"}},
    {u"355", {"inicio: São Paulo — São Paulo — Brasil"}},
    // Anything that is not a letter or a digit separates words.
    {u"o'hig", {"inicio: O'Higgins — Chile"}},
    {u"higgins", {"palabra: O'Higgins — Chile"}},
    {u"¡¿ — !", {}},
};

TEST_F(Search, FindsByNameOrCodeRankedWithEachPlacesPath) {
    for (const Expected& expected : kRanking) {
        EXPECT_EQ(Found(expected.text), expected.shown) << rt::Utf16ToUtf8(expected.text);
    }
}

// A limit keeps the first hits, across levels and kinds alike.
TEST_F(Search, TheFirstHitsComeFirstWhateverTheLimit) {
    for (const char16_t* text : {u"s", u"nieves"}) {
        const std::vector<std::string> all = Found(text);
        ASSERT_GE(all.size(), 2u);
        for (std::size_t limit = 0; limit <= all.size(); ++limit) {
            EXPECT_EQ(Found(text, static_cast<int>(limit)),
                      std::vector<std::string>(all.begin(), all.begin() + limit));
        }
        EXPECT_TRUE(Found(text, -3).empty());
    }
}

// A place added or renamed is found by its new name as the host's list shows it
// (MainWindowTest.NewPlacesGoUnderTheSelectionsParent, MainWindowTest.ModifyChanges*); here the
// codes, the paths and the deletes.
TEST_F(Search, StaysInStepWithEveryStoreRenameAndDelete) {
    Ref<nubex::Ciudad> added = AddCiudad(cnn_.get(), jalisco_, u"TLQ", u"Tlaquepaque");
    Write(added.get(), &nubex::Ciudad::put_Codigo, u"SPT");
    ASSERT_TRUE(Save(added.get()));
    EXPECT_TRUE(Found(u"tlq").empty());
    EXPECT_EQ(Found(u"spt").size(), 1u);

    // A parent renamed shows in its children's paths at once.
    Ref<nubex::EdoProv> jalisco = New<nubex::EdoProv>();
    ASSERT_TRUE(LoadByKey(jalisco.get(), jalisco_, cnn_.get()));
    Write(jalisco.get(), &nubex::EdoProv::put_Nombre, u"Estado de Jalisco");
    ASSERT_TRUE(Save(jalisco.get()));
    EXPECT_EQ(Found(u"gdl"),
              (std::vector<std::string>{"exacta: Guadalajara — Estado de Jalisco — México"}));

    ASSERT_EQ(Delete(added.get()), S_OK);
    EXPECT_TRUE(Found(u"tlaquepaque").empty());

    // Another program writing plain SQL is followed too (its updates:
    // ShippedDatasetTest.ImportsEveryRowOfTheFileAndTheSearchFindsAnyPlaceAsTheUserTypes).
    RawDb other(path_);
    other.Exec(
        "INSERT INTO Ciudad (Estado, Codigo, Nombre, CodigoTel) VALUES (?1, 'TON', "
        "'Tonalá', '33')",
        {std::to_string(jalisco_)});
    EXPECT_EQ(Found(u"tonala"),
              (std::vector<std::string>{"exacta: Tonalá — Estado de Jalisco — México"}));
    other.Exec("DELETE FROM Ciudad WHERE Codigo = 'TON'");
    EXPECT_TRUE(Found(u"tonala").empty());
}

TEST_F(Search, IsAViewReachedByName) {
    auto get = [](const rt::Variant& object, const char16_t* name, auto... arguments) {
        return rt::CallByName(object.AsDispatch().get(), name, rt::CallType::Get, arguments...);
    };
    auto call = [](const rt::Variant& object, const char16_t* name) {
        rt::CallByName(object.AsDispatch().get(), name, rt::CallType::Method);
    };
    const rt::Variant catalog{Ref<IDispatch>(catalog_)};
    const rt::Variant view = get(catalog, u"V_Buscar", u"GUADAL");
    int rows = 0;
    for (; !get(view, u"EOF").AsBool(); call(view, u"MoveNext"), ++rows) {
        auto field = [&](const char16_t* name) { return get(view, u"Item", name); };
        // Estado is the state of a city only; IPais the country of a state or city.
        EXPECT_EQ(field(u"Estado").AsLong() == 0, field(u"Nivel").AsLong() != 3);
        if (field(u"Sys_PK").AsLong() != Pk(gdl_.get())) continue;
        EXPECT_EQ(field(u"Nivel").AsLong(), 3);
        EXPECT_EQ(field(u"coincidencia").AsLong(), 2);
        EXPECT_EQ(field(u"Sys_GUID").AsString(), Guid(gdl_.get()));
        EXPECT_EQ(field(u"Nombre").AsString(), u"Guadalajara");
        EXPECT_EQ(field(u"Ruta").AsString(), u"Guadalajara — Jalisco — México");
        EXPECT_EQ(field(u"Codigo").AsString(), u"GDL");
        EXPECT_EQ(field(u"Estado").AsLong(), jalisco_);
        EXPECT_EQ(field(u"IPais").AsLong(), Pk(mx_.get()));
        EXPECT_THROW(field(u"CodigoTel"), rt::RuntimeError);
    }
    EXPECT_EQ(rows, 3);  // the hits of "guadal" in kRanking

    const rt::Variant two = get(catalog, u"V_Buscar", u"guadal", LONG{2});
    call(two, u"MoveNext");
    call(two, u"MoveNext");
    EXPECT_TRUE(get(two, u"EOF").AsBool());

    call(catalog, u"Close");
    EXPECT_EQ(
        mundor::testing::ErrorFrom([&] { nubex::Search(catalog_.get(), u"guadal"); }).number(),
        nubex::err::kCatalogNotOpen.number);
}

// What a user may type is never taken for query syntax (FTS5's, tsquery's, SQL's): it finds
// what its words say, or nothing, and never fails.
TEST_F(Search, TextsThatLookLikeQuerySyntaxAreJustWords) {
    AddCiudad(cnn_.get(), jalisco_, u"Q", u"Quote \"Don't\" AND (x) OR y* NOT z: ^a' \\ -");
    const std::u16string longText(5000, u'a');
    const struct {
        std::u16string text;
        std::size_t hits;
    } texts[] = {
        {u"\"don't\" and (x", 1},
        {u"quote \"don't\" and (x) or y* not z: ^a' \\ -", 1},
        {u"NOT", 1},
        {u"near(guadalajara zapopan)", 0},
        {u"guadal*", 3},
        {u"{Nombre Codigo} : jal", 0},
        {u"'jal':* | 'x'", 0},
        {u"jal'); DROP TABLE Ciudad; --", 0},
        {u"\\'jal", 1},
        {std::u16string(u"jal\0isco", 8), 0},
        {std::u16string{u'j', u'a', u'l', 0xD800, u'i'}, 0},
        {std::u16string{0xDC00, u'g', u'd', u'l'}, 1},
        {longText, 0},
    };
    for (const auto& [text, hits] : texts) {
        EXPECT_EQ(Found(text).size(), hits) << rt::Utf16ToUtf8(text.substr(0, 60));
    }
    EXPECT_EQ(RawDb(path_).QueryInt("SELECT count(*) FROM Ciudad"), 7);
}

// Catalogs written by the library before the search (version 1) and before the cities'
// view-order index (version 4), exactly as their schema made them: opened, they get what they
// lack over the rows they already have and lose nothing.
TEST(SchemaUpgrade, AnOlderCatalogGetsWhatItLacksAndKeepsItsRows) {
    const struct {
        int version;
        std::vector<const char*> files;
    } olderCatalogs[] = {
        {1, {"schema.sql"}},
        {4, {"schema.sql", "search.sql", "import_memory.sql", "row_version.sql"}},
    };
    for (const auto& older : olderCatalogs) {
        SCOPED_TRACE(older.version);
        const mundor::test::ScratchCatalog scratch;
        const bool postgres = scratch.backend() == mundor::test::Backend::Postgres;
        const char* version =
            postgres ? "SELECT Version FROM Nubex_Esquema" : "PRAGMA user_version";
        std::string schema;
        for (const char* name : older.files) {
            schema += mundor::test::ReadFile(std::filesystem::path(NUBEX_SOURCE_DIR) /
                                             (postgres ? "pg" : "sqlite") / name);
        }
        {
            RawDb raw(scratch.location());
            raw.Exec(schema);
            raw.Exec("INSERT INTO Pais (Codigo, Nombre, CodigoTel) VALUES ('MX', 'México', '52')");
            raw.Exec("INSERT INTO EdoProv (IPais, Codigo, Nombre) VALUES (1, 'JAL', 'Jalisco')");
            raw.Exec(
                "INSERT INTO Ciudad (Estado, Codigo, Nombre, CodigoTel) VALUES (1, 'GDL', "
                "'Guadalajara', '33')");
            ASSERT_EQ(raw.QueryInt(version), older.version);
        }
        const std::u16string before = Dump(scratch.location());

        Ref<nubex::Catalog> catalog = nubex::OpenCatalog(scratch.location());
        const std::vector<nubex::SearchHit> hits = nubex::Search(catalog.get(), u"guadal");
        ASSERT_EQ(hits.size(), 1u);
        EXPECT_EQ(hits[0].PathText(), u"Guadalajara — Jalisco — México");
        EXPECT_EQ(Dump(scratch.location()), before);
        RawDb raw(scratch.location());
        EXPECT_EQ(raw.QueryInt(version),
                  postgres ? nubex::pg::kSchemaVersion : nubex::sqlite::kSchemaVersion);
        // Stores after the upgrade are followed as well.
        AddCiudad(ConnectionOf(catalog.get()).get(), 1, u"ZAP", u"Zapopan");
        EXPECT_EQ(nubex::Search(catalog.get(), u"zapopan").size(), 1u);
    }
}

}  // namespace
}  // namespace nubex_test
