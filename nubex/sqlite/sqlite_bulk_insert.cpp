#include "nubex/sqlite/sqlite_bulk_insert.h"

#include <algorithm>
#include <string>

namespace nubex::sqlite {

namespace {

std::string InsertSql(std::string_view table, std::string_view columns) {
    const auto fields = 1 + std::count(columns.begin(), columns.end(), ',');
    std::string values;
    for (int i = 1; i <= fields; ++i) values += (i > 1 ? ", ?" : "?") + std::to_string(i);
    return "INSERT INTO " + std::string(table) + " (" + std::string(columns) + ") VALUES (" +
           values + ")";
}

}  // namespace

SqliteBulkInsert::SqliteBulkInsert(db::Database& database, std::string_view table,
                                   std::string_view columns)
    : insert_(database.Prepare(InsertSql(table, columns))) {}

void SqliteBulkInsert::EndRow() {
    field_ = 0;
    // A statement that is done resets itself on the next Step.
    insert_->Step();
}

}  // namespace nubex::sqlite
