#include "nubex/pg/pg_sql.h"

#include <algorithm>
#include <cctype>

namespace nubex::pg {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

PgSql::PgSql(std::string_view sql) {
    text_.reserve(sql.size() + 8);
    char quote = 0;  // the quote that opened the literal or identifier being copied
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            if (c == quote) quote = 0;  // a doubled quote closes and reopens: same result
            text_ += c;
            continue;
        }
        if (c == '\'' || c == '"') quote = c;
        if (c != '?' || i + 1 >= sql.size() || !IsDigit(sql[i + 1])) {
            text_ += c;
            continue;
        }
        int number = 0;
        while (i + 1 < sql.size() && IsDigit(sql[i + 1])) number = number * 10 + (sql[++i] - '0');
        int slot = SlotOf(number);
        if (slot < 0) {
            slot = parameterCount();
            numbers_.push_back(number);
        }
        text_ += "$" + std::to_string(slot + 1);
    }
}

int PgSql::SlotOf(int number) const {
    const auto found = std::find(numbers_.begin(), numbers_.end(), number);
    return found == numbers_.end() ? -1 : static_cast<int>(found - numbers_.begin());
}

}  // namespace nubex::pg
