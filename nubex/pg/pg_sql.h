// SQL written for both engines, made ready for PostgreSQL: the numbered placeholders "?N" become
// "$1", "$2", ... in order of first use, so that a number the text skips (a table without
// CodigoTel, say) leaves no gap PostgreSQL could not type. Quoted literals and identifiers are
// copied as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nubex::pg {

class PgSql {
  public:
    explicit PgSql(std::string_view sql);

    const std::string& text() const { return text_; }
    int parameterCount() const { return static_cast<int>(numbers_.size()); }
    // The position (from 0) among PostgreSQL's parameters of placeholder "?number"; -1 when the
    // text does not use it.
    int SlotOf(int number) const;

  private:
    std::string text_;
    std::vector<int> numbers_;  // the "?N" numbers, in the order they became "$1", "$2", ...
};

}  // namespace nubex::pg
