// Owners of SQLite handles and the few statement calls the importer makes, each failure turned
// into an ImportError that carries SQLite's own text.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace nubex::import {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

// Raises kDatabase (or kConflict for a uniqueness violation) with `what` and SQLite's message.
[[noreturn]] void RaiseDatabaseError(sqlite3* db, const std::string& what);

// Runs SQL that returns no rows.
void Execute(sqlite3* db, const char* sql);
// The first column of the first row, as an integer (0 when there is no row).
std::int64_t QueryInteger(sqlite3* db, const char* sql);

class Statement {
  public:
    Statement(sqlite3* db, const char* sql);
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(stmt_); }

    // Texts are bound without a copy: they must outlive the following Step.
    void Bind(int index, std::string_view text);
    void Bind(int index, std::int64_t value);
    // True when a row is ready; false when done. The statement must be Reset before reuse.
    bool Step();
    void Reset() { sqlite3_reset(stmt_); }
    std::int64_t ColumnInteger(int index) const { return sqlite3_column_int64(stmt_, index); }
    sqlite3_stmt* get() const { return stmt_; }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace nubex::import
