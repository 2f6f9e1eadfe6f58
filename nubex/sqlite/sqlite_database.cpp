#include "nubex/sqlite/sqlite_database.h"

#include <sqlite3.h>

#include "nubex/errors.h"
#include "nubex/sqlite/schema.h"
#include "nubex/sqlite/spanish_collation.h"
#include "nubex/sqlite/sqlite_bulk_insert.h"
#include "nubex/sqlite/sqlite_error.h"
#include "nubex/sqlite/sqlite_statement.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::sqlite {

namespace {

[[noreturn]] void RaiseWithDetail(const err::ErrorText& error, std::string_view detail) {
    mundor::rt::Raise(error.number, std::u16string(error.text) + mundor::rt::Utf8ToUtf16(detail));
}

[[noreturn]] void RaiseOpenFailure(const db::DbError& error) {
    if (error.failure() == db::Failure::Busy) {
        mundor::rt::Raise(err::kBusy.number, std::u16string(err::kBusy.text));
    }
    RaiseWithDetail(err::kCannotOpen, error.what());
}

// Closes a connection that never made it into a SqliteDatabase.
struct ConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close(connection); }
};
using ConnectionHandle = std::unique_ptr<sqlite3, ConnectionCloser>;

}  // namespace

std::unique_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path, int busyTimeoutMs) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    ConnectionHandle handle(raw);
    if (rc != SQLITE_OK) {
        RaiseWithDetail(err::kCannotOpen, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, busyTimeoutMs);
    if (const int collation = RegisterSpanishCollation(raw); collation != SQLITE_OK) {
        RaiseWithDetail(err::kCannotOpen, sqlite3_errstr(collation));
    }
    std::unique_ptr<SqliteDatabase> database(new SqliteDatabase(handle.release()));
    try {
        database->search_ = std::make_unique<Fts5Search>(database->connection_);
        database->Configure();
    } catch (const db::DbError& error) {
        RaiseOpenFailure(error);
    }
    return database;
}

SqliteDatabase::SqliteDatabase(sqlite3* connection) : connection_(connection) {}

SqliteDatabase::~SqliteDatabase() {
    for (auto& [sql, statement] : idle_) sqlite3_finalize(statement);
    search_.reset();
    sqlite3_close(connection_);
}

void SqliteDatabase::Configure() {
    Execute("PRAGMA foreign_keys = ON");
    EnsureSchema();
    // After the schema: the first write to a new file fixes its text encoding, and switching
    // the journal writes the file header.
    Execute("PRAGMA journal_mode = WAL");
}

void SqliteDatabase::EnsureSchema() {
    if (QueryInt("PRAGMA user_version") == kSchemaVersion) return;
    Execute("PRAGMA encoding = 'UTF-16le'");
    db::Transaction transaction(*this, db::TransactionKind::Write);
    // Read again under the write lock: another process may have created it meanwhile.
    const std::int64_t version = QueryInt("PRAGMA user_version");
    if (version == kSchemaVersion) return;
    if (version > kSchemaVersion) {
        mundor::rt::Raise(err::kNewerCatalog.number, std::u16string(err::kNewerCatalog.text));
    }
    if (version == 1 || version == 2) {
        // An older catalog gets what it lacks, in order: the search indexes, filled from its
        // rows (version 1), then the importer's memory, empty (version 2).
        if (version == 1) Execute(std::string(SearchSql()).c_str());
        Execute(std::string(ImportMemorySql()).c_str());
    } else if (version == 0 && QueryInt("SELECT count(*) FROM sqlite_schema") == 0) {
        Execute(std::string(SchemaSql()).c_str());
    } else {
        mundor::rt::Raise(err::kNotACatalog.number, std::u16string(err::kNotACatalog.text));
    }
    transaction.Commit();
}

void SqliteDatabase::Execute(const char* sql) {
    const int rc = sqlite3_exec(connection_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) ThrowDbError(connection_, rc);
}

std::int64_t SqliteDatabase::QueryInt(const char* sql) {
    auto statement = Prepare(sql);
    return statement->Step() ? statement->Int(0) : 0;
}

std::unique_ptr<db::Statement> SqliteDatabase::Prepare(std::string_view sql) {
    std::string key(sql);
    if (auto it = idle_.find(key); it != idle_.end()) {
        sqlite3_stmt* statement = it->second;
        idle_.erase(it);
        return std::make_unique<SqliteStatement>(*this, std::move(key), statement);
    }
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v3(connection_, key.data(), static_cast<int>(key.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK) ThrowDbError(connection_, rc);
    return std::make_unique<SqliteStatement>(*this, std::move(key), statement);
}

void SqliteDatabase::Recycle(std::string sql, sqlite3_stmt* statement) noexcept {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    try {
        idle_.emplace(std::move(sql), statement);
    } catch (...) {
        sqlite3_finalize(statement);
    }
}

void SqliteDatabase::Begin(db::TransactionKind kind) {
    Execute(kind == db::TransactionKind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

void SqliteDatabase::Commit() {
    Execute("COMMIT");
}

void SqliteDatabase::Rollback() noexcept {
    // Fails harmlessly when the engine has already rolled the transaction back on its own.
    sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::int64_t SqliteDatabase::ReserveKeys(std::string_view table, std::int64_t /*count*/) {
    // Under the write lock nobody else inserts; AUTOINCREMENT then moves its counter past the
    // keys the rows were stored with.
    const std::string name(table);
    auto statement = Prepare(
        "SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = ?1), "
        "0), coalesce((SELECT max(Sys_PK) FROM " +
        name + "), 0)) + 1");
    statement->BindUtf8(1, name);
    return statement->Step() ? statement->Int(0) : 1;
}

db::SearchTerms SqliteDatabase::PrepareSearch(std::u16string_view text) {
    return Fts5Terms(search_->Words(mundor::rt::Utf16ToUtf8(text)));
}

std::string SqliteDatabase::SearchCondition(std::string_view table, MatchKind kind) const {
    return Fts5Condition(table, kind);
}

std::unique_ptr<db::DeferredSearchIndex> SqliteDatabase::DeferSearchIndex() {
    return std::make_unique<Fts5Rebuild>(*this);
}

std::unique_ptr<db::BulkInsert> SqliteDatabase::StartBulkInsert(std::string_view table,
                                                                std::string_view columns) {
    return std::make_unique<SqliteBulkInsert>(*this, table, columns);
}

}  // namespace nubex::sqlite
