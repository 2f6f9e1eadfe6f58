// The views list the whole shipped world in the same order on SQLite and on PostgreSQL: both
// engines sort by the collation nubex_es (ICU's Spanish rules), then by key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog_backends.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
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
    for (;;) {
        VARIANT_BOOL eof = VARIANT_TRUE;
        rt::ThrowIfFailed(view->get_EOF(&eof));
        if (eof != VARIANT_FALSE) return rows;
        rt::Variant pk;
        rt::Variant guid;
        rt::Variant nombre;
        rt::Variant pkField(u"Sys_PK");
        rt::Variant guidField(u"Sys_GUID");
        rt::Variant nombreField(u"Nombre");
        rt::ThrowIfFailed(view->Item(pkField.get(), pk.put()));
        rt::ThrowIfFailed(view->Item(guidField.get(), guid.put()));
        rt::ThrowIfFailed(view->Item(nombreField.get(), nombre.put()));
        rows.push_back({pk.AsLong(), guid.AsString() + u" " + nombre.AsString()});
        rt::ThrowIfFailed(view->MoveNext());
    }
}

// Every country, state and city, in the order the views give them, tree-wise.
std::vector<std::u16string> WorldInViewOrder(const std::string& location) {
    nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, location);
    const rt::Ref<nubex::Catalog> catalog = nubex::OpenCatalog(location);
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

TEST(PostgresWorldOrder, BothEnginesListTheWholeWorldInTheSameOrder) {
    const ScratchCatalog sqlite(Backend::Sqlite);
    const ScratchCatalog postgres(Backend::Postgres);
    const std::vector<std::u16string> onSqlite = WorldInViewOrder(sqlite.location());
    const std::vector<std::u16string> onPostgres = WorldInViewOrder(postgres.location());

    ASSERT_GT(onSqlite.size(), 100000u);
    ASSERT_EQ(onSqlite.size(), onPostgres.size());
    for (std::size_t i = 0; i < onSqlite.size(); ++i) {
        ASSERT_EQ(onSqlite[i], onPostgres[i])
            << "line " << i << ": SQLite lists \"" << rt::Utf16ToUtf8(onSqlite[i])
            << "\", PostgreSQL \"" << rt::Utf16ToUtf8(onPostgres[i]) << "\"";
    }
}

}  // namespace
