// Loading, storing and deleting rows of the three tables, with the integrity rules the records
// promise: a store or delete runs in one write transaction and either completes or writes
// nothing; what the data refuses is raised as the library's run-time error (errors.h).
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "nubex/backend/database.h"
#include "nubex/store/row.h"
#include "nubex/store/table_info.h"

namespace nubex::store {

// How a record is looked for: by key when pk is not 0, by identifier text otherwise.
struct Lookup {
    LONG pk = 0;
    std::u16string_view guid;
};

// The row and then the rows of its parents (a state's country; a city's state and country),
// read in one snapshot. Nothing when no row matches.
std::optional<std::vector<Row>> LoadWithParents(db::Database& db, const TableInfo& table,
                                                Lookup lookup);

// Inserts the row when row.pk is 0, with a new identifier, and updates it otherwise, provided
// it still has the version it was read with. On success row holds its key, identifier and new
// version; on a refusal row is unchanged.
void Store(db::Database& db, const TableInfo& table, Row& row);

// Deletes the row, provided it still has the version it was read with and nothing refers to it.
void Remove(db::Database& db, const TableInfo& table, const Row& row);

// Reads the rows under one parent (countries: all), in the views' order: by name as a Spanish
// reader expects it (the collation nubex_es), then by key. Each row goes to `take` once: its key
// and parent key, checked as a loaded Row's are, and the statement positioned on it, whose
// columns are those of Row but Sys_Version (table_sql.h) for the texts.
using ChildReader = std::function<void(LONG pk, LONG parentPk, const db::Statement& row)>;
void ReadChildren(db::Database& db, const TableInfo& table, LONG parentPk, const ChildReader& take);

}  // namespace nubex::store
