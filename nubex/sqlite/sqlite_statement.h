// One prepared SQLite statement. It goes back to its database's cache when it is destroyed.
#pragma once

#include <string>

#include "nubex/backend/database.h"

struct sqlite3_stmt;

namespace nubex::sqlite {

class SqliteDatabase;

class SqliteStatement final : public db::Statement {
  public:
    SqliteStatement(SqliteDatabase& owner, std::string sql, sqlite3_stmt* statement)
        : owner_(owner), sql_(std::move(sql)), statement_(statement) {}
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void Bind(int index, std::int64_t value) override;
    void Bind(int index, std::u16string_view text) override;
    void BindUtf8(int index, std::string_view text) override;
    bool Step() override;
    std::int64_t Int(int column) const override;
    std::u16string Text(int column) const override;
    void AppendText(int column, std::u16string& to) const override;
    std::string TextUtf8(int column) const override;

  private:
    void ReadyToBind();

    SqliteDatabase& owner_;
    std::string sql_;
    sqlite3_stmt* statement_;
    bool stepped_ = false;
};

}  // namespace nubex::sqlite
