#include "nubex/store/place_search.h"

#include <array>

#include "nubex/store/db_errors.h"
#include "nubex/store/stored_key.h"
#include "nubex/store/table_info.h"

namespace nubex::store {

namespace {

struct Level {
    PlaceLevel level;
    const TableInfo& table;
};

const std::array<Level, 3> kLevels{{
    {PlaceLevel::Pais, kPaisTable},
    {PlaceLevel::EdoProv, kEdoProvTable},
    {PlaceLevel::Ciudad, kCiudadTable},
}};

constexpr std::array<MatchKind, 3> kKinds{MatchKind::Exact, MatchKind::Prefix, MatchKind::Word};

// The places of one table that meet `condition`, ?4 at most, in the catalog's order (name,
// then key), each with its kind and level and the key and name of its parent and of its
// parent's parent (0 and '' where there is none). The parents are joined to the few rows kept,
// not to every row that matched.
std::string PartSql(const Level& level, MatchKind kind, const std::string& condition) {
    const TableInfo& table = level.table;
    std::string found = "SELECT Sys_PK, Sys_GUID, Nombre, Codigo";
    if (table.HasParent()) found += ", " + std::string(table.parentColumn) + " AS Padre";
    found += " FROM " + std::string(table.name) + " WHERE " + condition +
             " ORDER BY Nombre COLLATE nubex_es, Sys_PK LIMIT ?4";

    std::string columns = std::to_string(static_cast<int>(kind)) + ", " +
                          std::to_string(static_cast<int>(level.level)) +
                          ", h.Sys_PK, h.Sys_GUID, h.Nombre, h.Codigo";
    std::string joins;
    std::string link = "h.Padre";
    int ancestors = 0;
    for (const TableInfo* parent = table.parent; parent; parent = parent->parent) {
        const std::string alias = "a" + std::to_string(++ancestors);
        columns += ", " + alias + ".Sys_PK, " + alias + ".Nombre";
        joins += " JOIN " + std::string(parent->name) + " " + alias + " ON " + alias +
                 ".Sys_PK = " + link;
        if (parent->HasParent()) link = alias + "." + std::string(parent->parentColumn);
    }
    for (; ancestors < 2; ++ancestors) columns += ", 0, ''";
    return "SELECT " + columns + " FROM (" + found + ") h" + joins +
           " ORDER BY h.Nombre COLLATE nubex_es, h.Sys_PK";
}

// The whole search in one statement, one part per kind and level in the order of the results,
// ?4 rows at most. Both engines run the parts of a UNION ALL one after another and stop as soon
// as the limit is reached, so the broad parts (a one-letter text's word matches among the
// cities) seldom run; and one statement reads one snapshot, in one round trip to a server.
std::string SearchSql(const db::Database& db) {
    std::string sql;
    for (const MatchKind kind : kKinds) {
        for (const Level& level : kLevels) {
            if (!sql.empty()) sql += " UNION ALL ";
            sql += "SELECT * FROM (" +
                   PartSql(level, kind, db.SearchCondition(level.table.name, kind)) + ") p" +
                   std::to_string(static_cast<int>(kind)) +
                   std::to_string(static_cast<int>(level.level));
        }
    }
    return sql + " LIMIT ?4";
}

SearchHit ReadHit(const db::Statement& row) {
    SearchHit hit;
    hit.match = static_cast<MatchKind>(row.Int(0));
    hit.level = static_cast<PlaceLevel>(row.Int(1));
    hit.sysPk = StoredKey(row.Int(2));
    hit.sysGuid = row.Text(3);
    hit.nombre = row.Text(4);
    hit.codigo = row.Text(5);
    hit.path.push_back(hit.nombre);
    if (hit.level == PlaceLevel::Pais) return hit;
    hit.path.push_back(row.Text(7));
    if (hit.level == PlaceLevel::EdoProv) {
        hit.paisPk = StoredParentKey(row.Int(6));
        return hit;
    }
    hit.estadoPk = StoredParentKey(row.Int(6));
    hit.paisPk = StoredParentKey(row.Int(8));
    hit.path.push_back(row.Text(9));
    return hit;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string SearchableText(std::u16string_view text) {
    std::u16string searchable(text.substr(0, kSearchTextUnits));
    for (std::size_t i = 0; i < searchable.size(); ++i) {
        const char16_t unit = searchable[i];
        if (IsHighSurrogate(unit) && i + 1 < searchable.size() &&
            IsLowSurrogate(searchable[i + 1])) {
            ++i;
        } else if (unit == 0 || IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            searchable[i] = u' ';
        }
    }
    return searchable;
}

std::vector<SearchHit> FindPlaces(db::Database& db, std::u16string_view text, int limit) {
    std::vector<SearchHit> hits;
    if (limit <= 0) return hits;
    return Translating([&] {
        const db::SearchTerms terms = db.PrepareSearch(SearchableText(text));
        if (terms.empty()) return hits;
        auto statement = db.Prepare(SearchSql(db));
        for (const MatchKind kind : kKinds) {
            statement->BindUtf8(static_cast<int>(kind), terms.For(kind));
        }
        statement->Bind(4, limit);
        while (statement->Step()) hits.push_back(ReadHit(*statement));
        return hits;
    });
}

}  // namespace nubex::store
