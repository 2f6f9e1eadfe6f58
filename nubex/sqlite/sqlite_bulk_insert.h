// Bulk insert on SQLite: one prepared INSERT, stepped once a row, inside the caller's transaction.
#pragma once

#include <memory>
#include <string_view>

#include "nubex/backend/database.h"

namespace nubex::sqlite {

class SqliteBulkInsert final : public db::BulkInsert {
  public:
    SqliteBulkInsert(db::Database& database, std::string_view table, std::string_view columns);

    void Add(std::int64_t value) override { insert_->Bind(++field_, value); }
    void AddUtf8(std::string_view text) override { insert_->BindUtf8(++field_, text); }
    void EndRow() override;
    void Finish() override {}

  private:
    std::unique_ptr<db::Statement> insert_;
    int field_ = 0;
};

}  // namespace nubex::sqlite
