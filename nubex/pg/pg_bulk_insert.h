// Bulk insert on PostgreSQL: COPY ... FROM STDIN in text format, sent in large chunks.
#pragma once

#include <string>
#include <string_view>

#include "nubex/backend/database.h"

namespace nubex::pg {

class PgDatabase;

class PgBulkInsert final : public db::BulkInsert {
  public:
    PgBulkInsert(PgDatabase& owner, std::string_view table, std::string_view columns);
    ~PgBulkInsert() override;
    PgBulkInsert(const PgBulkInsert&) = delete;
    PgBulkInsert& operator=(const PgBulkInsert&) = delete;

    void Add(std::int64_t value) override;
    void AddUtf8(std::string_view text) override;
    void EndRow() override;
    void Finish() override;

  private:
    void StartField();
    void Send();
    void DrainResults();

    PgDatabase& owner_;
    std::string buffer_;
    bool rowStarted_ = false;
    bool open_ = false;  // the server is in COPY mode
};

}  // namespace nubex::pg
