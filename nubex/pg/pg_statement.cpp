#include "nubex/pg/pg_statement.h"

#include <charconv>
#include <cstring>

#include "nubex/pg/pg_database.h"
#include "nubex/pg/pg_text.h"

namespace nubex::pg {

PgStatement::PgStatement(PgDatabase& owner, std::shared_ptr<const PgSql> sql)
    : owner_(owner), sql_(std::move(sql)), values_(sql_->parameterCount()) {}

void PgStatement::Set(int index, std::string value) {
    result_.reset();  // binding after a run starts the next one
    const int slot = sql_->SlotOf(index);
    if (slot >= 0) values_[slot] = std::move(value);
}

void PgStatement::Bind(int index, std::int64_t value) {
    Set(index, std::to_string(value));
}

void PgStatement::Bind(int index, std::u16string_view text) {
    Set(index, ToServerText(text));
}

void PgStatement::BindUtf8(int index, std::string_view text) {
    Set(index, std::string(CheckedServerText(text)));
}

bool PgStatement::Step() {
    if (!result_) {
        std::vector<const char*> values;
        values.reserve(values_.size());
        for (const auto& value : values_) values.push_back(value ? value->c_str() : nullptr);
        result_ = owner_.Run(*sql_, values);
        row_ = -1;
    }
    if (row_ < PQntuples(result_.get())) ++row_;
    return row_ < PQntuples(result_.get());
}

const char* PgStatement::Cell(int column) const {
    if (!result_ || row_ < 0 || row_ >= PQntuples(result_.get())) return nullptr;
    if (PQgetisnull(result_.get(), row_, column)) return nullptr;
    return PQgetvalue(result_.get(), row_, column);
}

std::int64_t PgStatement::Int(int column) const {
    const char* text = Cell(column);
    std::int64_t value = 0;
    if (text) std::from_chars(text, text + std::strlen(text), value);
    return value;
}

std::u16string PgStatement::Text(int column) const {
    const char* text = Cell(column);
    if (!text) return {};
    return FromServerText(
        std::string_view(text, static_cast<std::size_t>(PQgetlength(result_.get(), row_, column))));
}

std::string PgStatement::TextUtf8(int column) const {
    const char* text = Cell(column);
    if (!text) return {};
    return std::string(text, static_cast<std::size_t>(PQgetlength(result_.get(), row_, column)));
}

}  // namespace nubex::pg
