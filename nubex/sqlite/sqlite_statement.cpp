#include "nubex/sqlite/sqlite_statement.h"

#include <sqlite3.h>

#include <limits>

#include "nubex/sqlite/sqlite_database.h"
#include "nubex/sqlite/sqlite_error.h"

namespace nubex::sqlite {

SqliteStatement::~SqliteStatement() {
    owner_.Recycle(std::move(sql_), statement_);
}

void SqliteStatement::ReadyToBind() {
    if (!stepped_) return;
    sqlite3_reset(statement_);
    stepped_ = false;
}

void SqliteStatement::Bind(int index, std::int64_t value) {
    ReadyToBind();
    const int rc = sqlite3_bind_int64(statement_, index, value);
    if (rc != SQLITE_OK) ThrowDbError(sqlite3_db_handle(statement_), rc);
}

namespace {

// SQLite takes a leading U+FEFF or U+FFFE of bound UTF-16 text for a byte-order mark: it drops
// it, and after U+FFFE it even reads the rest big-endian. One extra mark in front is what it
// drops then, and the text behind it is stored exactly.
bool StartsWithByteOrderMark(std::u16string_view text) {
    return !text.empty() && (text.front() == u'\uFEFF' || text.front() == u'\uFFFE');
}

}  // namespace

void SqliteStatement::Bind(int index, std::u16string_view text) {
    ReadyToBind();
    std::u16string guarded;
    if (StartsWithByteOrderMark(text)) {
        guarded = u'\uFEFF' + std::u16string(text);
        text = guarded;
    }
    constexpr std::size_t kMaxUnits = std::numeric_limits<int>::max() / sizeof(char16_t);
    if (text.size() > kMaxUnits) ThrowDbError(nullptr, SQLITE_TOOBIG);
    // A non-null pointer even for the empty text: a null one would bind SQL NULL. The text goes
    // in as UTF-16 with its exact length, so embedded NULs and unpaired surrogates stay as given.
    const char16_t* data = text.empty() ? u"" : text.data();
    const int bytes = static_cast<int>(text.size() * sizeof(char16_t));
    const int rc = sqlite3_bind_text16(statement_, index, data, bytes, SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) ThrowDbError(sqlite3_db_handle(statement_), rc);
}

void SqliteStatement::BindUtf8(int index, std::string_view text) {
    ReadyToBind();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        ThrowDbError(nullptr, SQLITE_TOOBIG);
    }
    const char* data = text.empty() ? "" : text.data();
    const int rc =
        sqlite3_bind_text(statement_, index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) ThrowDbError(sqlite3_db_handle(statement_), rc);
}

bool SqliteStatement::Step() {
    stepped_ = true;
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    ThrowDbError(sqlite3_db_handle(statement_), rc);
}

std::int64_t SqliteStatement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::u16string SqliteStatement::Text(int column) const {
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
    if (!data) return {};
    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes16(statement_, column));
    return std::u16string(data, bytes / sizeof(char16_t));
}

void SqliteStatement::AppendText(int column, std::u16string& to) const {
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
    if (!data) return;
    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes16(statement_, column));
    to.append(data, bytes / sizeof(char16_t));
}

std::string SqliteStatement::TextUtf8(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    if (!data) return {};
    return std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

}  // namespace nubex::sqlite
