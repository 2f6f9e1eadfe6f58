// Both engines agree on the whole shipped world: the views list it in the same order (both sort
// by the collation nubex_es, ICU's Spanish rules, then by key), and the search folds every name
// and code to the same words and finds the same places in the same order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "catalog_backends.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace {

namespace rt = mundor::rt;
using mundor::test::Backend;
using mundor::test::ScratchCatalog;

struct Listed {
    LONG pk;
    std::u16string line;  // identifier and name, as the browser shows the row
};

std::vector<Listed> Rows(nubex::View* view) {
    std::vector<Listed> rows;
    for (VARIANT_BOOL eof = VARIANT_FALSE;; rt::ThrowIfFailed(view->MoveNext())) {
        rt::ThrowIfFailed(view->get_EOF(&eof));
        if (eof != VARIANT_FALSE) return rows;
        rt::Variant values[3];
        for (int i = 0; const char16_t* name : {u"Sys_PK", u"Sys_GUID", u"Nombre"}) {
            rt::Variant field(name);
            rt::ThrowIfFailed(view->Item(field.get(), values[i++].put()));
        }
        rows.push_back({values[0].AsLong(), values[1].AsString() + u" " + values[2].AsString()});
    }
}

// Every country, state and city, in the order the views give them, tree-wise.
std::vector<std::u16string> WorldInViewOrder(nubex::Catalog* catalog) {
    std::vector<std::u16string> lines;
    rt::Ref<nubex::View> countries;
    rt::ThrowIfFailed(catalog->V_Pais(countries.put()));
    for (Listed& country : Rows(countries.get())) {
        lines.push_back(country.line);
        rt::Ref<nubex::View> states;
        rt::ThrowIfFailed(catalog->V_EdoProv(&country.pk, states.put()));
        for (Listed& state : Rows(states.get())) {
            lines.push_back(u"  " + state.line);
            rt::Ref<nubex::View> cities;
            rt::ThrowIfFailed(catalog->V_Ciudades(&state.pk, cities.put()));
            for (const Listed& city : Rows(cities.get())) lines.push_back(u"    " + city.line);
        }
    }
    return lines;
}

// The words each engine's search index holds for every name and code, by table, key and column:
// SQLite's FTS5 index as its vocabulary lists them, PostgreSQL's folding.
using Words = std::map<std::tuple<std::string, std::u16string, std::u16string>, std::u16string>;

Words IndexedWords(const std::string& location, Backend backend) {
    mundor::test::RawCatalog raw(location);
    Words words;
    for (const std::string table : {"Pais", "EdoProv", "Ciudad"}) {
        if (backend == Backend::Sqlite) {
            raw.Exec("CREATE VIRTUAL TABLE temp.Palabras_" + table + " USING fts5vocab(main, " +
                     table + "_Busqueda, instance)");
            for (const auto& row : raw.Rows("SELECT doc, col, term FROM temp.Palabras_" + table +
                                            " ORDER BY doc, col, offset")) {
                std::u16string& joined = words[{table, row[0], row[1]}];
                joined += (joined.empty() ? u"" : u" ") + row[2];
            }
            continue;
        }
        for (const auto& row : raw.Rows("SELECT Sys_PK, nubex_pliegue(Nombre), "
                                        "nubex_pliegue(Codigo) FROM " +
                                        table)) {
            if (!row[1].empty()) words[{table, row[0], u"Nombre"}] = row[1];
            if (!row[2].empty()) words[{table, row[0], u"Codigo"}] = row[2];
        }
    }
    return words;
}

// Level, key and kind of every hit, as a host would list them.
std::vector<std::string> Found(nubex::Catalog* catalog, std::u16string_view text) {
    std::vector<std::string> found;
    for (const nubex::SearchHit& hit : nubex::Search(catalog, text, 300)) {
        found.push_back(std::to_string(static_cast<int>(hit.level)) + "/" +
                        std::to_string(hit.sysPk) + "/" +
                        std::to_string(static_cast<int>(hit.match)));
    }
    return found;
}

// Loading the world takes a while: both engines get it once, for the three comparisons.
TEST(PostgresWorld, BothEnginesListFoldAndFindTheWholeWorldAlike) {
    const ScratchCatalog sqlite(Backend::Sqlite);
    const ScratchCatalog postgres(Backend::Postgres);
    nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, sqlite.location());
    nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, postgres.location());
    const rt::Ref<nubex::Catalog> onSqliteCatalog = nubex::OpenCatalog(sqlite.location());
    const rt::Ref<nubex::Catalog> onPostgresCatalog = nubex::OpenCatalog(postgres.location());

    const std::vector<std::u16string> onSqliteLines = WorldInViewOrder(onSqliteCatalog.get());
    const std::vector<std::u16string> onPostgresLines = WorldInViewOrder(onPostgresCatalog.get());
    ASSERT_GT(onSqliteLines.size(), 100000u);
    ASSERT_EQ(onSqliteLines.size(), onPostgresLines.size());
    for (std::size_t i = 0; i < onSqliteLines.size(); ++i) {
        ASSERT_EQ(onSqliteLines[i], onPostgresLines[i])
            << "line " << i << ": SQLite lists \"" << rt::Utf16ToUtf8(onSqliteLines[i])
            << "\", PostgreSQL \"" << rt::Utf16ToUtf8(onPostgresLines[i]) << "\"";
    }

    const Words onSqlite = IndexedWords(sqlite.location(), Backend::Sqlite);
    const Words onPostgres = IndexedWords(postgres.location(), Backend::Postgres);
    ASSERT_GT(onSqlite.size(), 300000u);
    EXPECT_EQ(onSqlite.size(), onPostgres.size());
    for (const auto& [place, words] : onSqlite) {
        const auto other = onPostgres.find(place);
        ASSERT_TRUE(other != onPostgres.end() && other->second == words)
            << std::get<0>(place) << " " << rt::Utf16ToUtf8(std::get<1>(place)) << " "
            << rt::Utf16ToUtf8(std::get<2>(place)) << ": SQLite \"" << rt::Utf16ToUtf8(words)
            << "\", PostgreSQL \""
            << (other == onPostgres.end() ? "" : rt::Utf16ToUtf8(other->second)) << "\"";
    }

    for (const char16_t* text :
         {u"s",           u"sa",      u"sao p",  u"guadal", u"MÉXICO",    u"san jose",
          u"nueva",       u"bogota",  u"zurich", u"koln",   u"lodz",      u"o'higgins",
          u"ẖolon",       u"jalisco", u"mx",     u"151",    u"ciudad de", u"new y",
          u"los angeles", u"saint",   u"de la",  u"el",     u"1",         u"ae",
          u"Октябрьский", u"سروستان", u"straße", u"ñuñoa",  u"ville"}) {
        EXPECT_EQ(Found(onSqliteCatalog.get(), text), Found(onPostgresCatalog.get(), text))
            << rt::Utf16ToUtf8(text);
    }
}

}  // namespace
