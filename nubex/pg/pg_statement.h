// One statement on PostgreSQL. It runs, with its parameters as text, at the first Step and
// keeps the whole result; Step then walks its rows.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "nubex/backend/database.h"
#include "nubex/pg/pg_handles.h"
#include "nubex/pg/pg_sql.h"

namespace nubex::pg {

class PgDatabase;

class PgStatement final : public db::Statement {
  public:
    PgStatement(PgDatabase& owner, std::shared_ptr<const PgSql> sql);

    void Bind(int index, std::int64_t value) override;
    void Bind(int index, std::u16string_view text) override;
    void BindUtf8(int index, std::string_view text) override;
    bool Step() override;
    std::int64_t Int(int column) const override;
    std::u16string Text(int column) const override;
    std::string TextUtf8(int column) const override;

  private:
    void Set(int index, std::string value);
    const char* Cell(int column) const;

    PgDatabase& owner_;
    std::shared_ptr<const PgSql> sql_;
    std::vector<std::optional<std::string>> values_;
    PgResult result_;
    int row_ = -1;
};

}  // namespace nubex::pg
