#include "nubex/sqlite/sqlite_database.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>

#include "nubex/errors.h"
#include "nubex/sqlite/connection_settings.h"
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

[[noreturn]] void Refuse(const err::ErrorText& error) {
    mundor::rt::Raise(error.number, std::u16string(error.text));
}

bool InMemory(const std::string& path) {
    return path == ":memory:" || path.empty();
}

bool Missing(const std::string& path) {
    std::error_code error;
    return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

// Whether this process cannot write the catalog: the file, or the folder that must hold the
// journal and the WAL's shared memory beside it, refuses writing (permissions or a read-only
// file system).
bool CannotWrite(const std::string& path) {
    const std::filesystem::path file(path);
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    return ::access(path.c_str(), W_OK) != 0 || ::access(folder.c_str(), W_OK) != 0;
}

// The file as a URI that opens it immutable: read-only, without the locks and the WAL's shared
// memory that a read-only folder cannot hold. Only for catalogs nobody can write here.
std::string ImmutableUri(const std::string& path) {
    static constexpr std::string_view kPlain = "/-._~";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || kPlain.find(static_cast<char>(c)) != std::string_view::npos) {
            uri += static_cast<char>(c);
            continue;
        }
        uri += '%';
        uri += kHex[c >> 4];
        uri += kHex[c & 0xF];
    }
    return uri + "?immutable=1";
}

}  // namespace

std::unique_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path, int busyTimeoutMs,
                                                     bool create) {
    const bool memory = InMemory(path);
    if (!memory && !create && Missing(path)) Refuse(err::kNoCatalogThere);
    const int flags =
        kConnectionFlags | SQLITE_OPEN_READWRITE | (memory || create ? SQLITE_OPEN_CREATE : 0);
    try {
        std::unique_ptr<SqliteDatabase> database = Connect(path, flags, busyTimeoutMs);
        try {
            database->Configure(memory || create);
            return database;
        } catch (const db::DbError& error) {
            if (error.failure() == db::Failure::Busy || memory || !CannotWrite(path)) throw;
        }
        // A catalog nobody can write here: read it as it stands.
        database.reset();
        database =
            Connect(ImmutableUri(path), kConnectionFlags | SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                    busyTimeoutMs);
        database->Configure(false);
        return database;
    } catch (const db::DbError& error) {
        RaiseOpenFailure(error);
    }
}

std::unique_ptr<SqliteDatabase> SqliteDatabase::Connect(const std::string& path, int flags,
                                                        int busyTimeoutMs) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
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
    database->readOnly_ = sqlite3_db_readonly(database->connection_, "main") == 1;
    database->busyTimeoutMs_ = busyTimeoutMs;
    database->search_ = std::make_unique<Fts5Search>(database->connection_);
    return database;
}

SqliteDatabase::SqliteDatabase(sqlite3* connection) : connection_(connection) {}

SqliteDatabase::~SqliteDatabase() {
    for (auto& [sql, statement] : idle_) sqlite3_finalize(statement);
    search_.reset();
    sqlite3_close(connection_);
}

void SqliteDatabase::Configure(bool create) {
    Execute(kConnectionSettingsSql);
    EnsureSchema(create);
    if (readOnly_) return;
    // After the schema: the first write to a new file fixes its text encoding, and switching
    // the journal writes the file header.
    Execute("PRAGMA journal_mode = WAL");
}

void SqliteDatabase::EnsureSchema(bool create) {
    const std::int64_t seen = QueryInt("PRAGMA user_version");
    if (seen == kSchemaVersion) return;
    if (seen > kSchemaVersion) Refuse(err::kNewerCatalog);
    const bool tables = QueryInt("SELECT count(*) FROM sqlite_schema") > 0;
    if (seen == 0 && tables) Refuse(err::kNotACatalog);
    if (seen == 0 && !create) Refuse(err::kNoCatalogThere);
    // An older catalog that cannot be written is read as it stands.
    if (readOnly_ && seen > 0) return;
    Execute("PRAGMA encoding = 'UTF-16le'");
    db::Transaction transaction(*this, db::TransactionKind::Write);
    // Read again under the write lock: another process may have created it meanwhile.
    const std::int64_t version = QueryInt("PRAGMA user_version");
    if (version == kSchemaVersion) return;
    if (version > kSchemaVersion) Refuse(err::kNewerCatalog);
    if (version == 0) {
        Execute(std::string(SchemaSql()).c_str());
    } else {
        // An older catalog gets what it lacks, in order: the search indexes, filled from its
        // rows (version 1), the importer's memory, empty (up to 2), the row-version triggers
        // (up to 3), the index in the cities' view order, built from its rows (up to 4).
        if (version == 1) Execute(std::string(SearchSql()).c_str());
        if (version <= 2) Execute(std::string(ImportMemorySql()).c_str());
        if (version <= 3) Execute(std::string(RowVersionSql()).c_str());
        Execute(std::string(ViewOrderSql()).c_str());
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
    if (kind == db::TransactionKind::Read) return Execute("BEGIN");
    if (readOnly_) throw db::DbError(db::Failure::ReadOnly, "");
    Execute("BEGIN IMMEDIATE");
    CheckStillAtPath();
    inWrite_ = true;
}

// Under the write lock: a catalog file deleted or replaced since it was opened would take the
// transaction into a file nobody will open again, and the change would be lost.
void SqliteDatabase::CheckStillAtPath() {
    int moved = 0;
    if (sqlite3_file_control(connection_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK ||
        moved == 0) {
        return;
    }
    Rollback();
    throw db::DbError(db::Failure::FileGone, "");
}

void SqliteDatabase::Commit() {
    Execute("COMMIT");
    if (!inWrite_) return;
    inWrite_ = false;
    EmptyWal();
}

// The WAL at the file's path holds pages of this file only until they are copied into it. Were
// the file replaced (a backup copied over it) while they are still there, the next program to
// open the path would lay them over the new file. So after every write the WAL is copied back
// and emptied, when no reader of another connection still needs it: that one is not waited for,
// the next write tries again.
void SqliteDatabase::EmptyWal() noexcept {
    sqlite3_busy_timeout(connection_, 0);
    sqlite3_wal_checkpoint_v2(connection_, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(connection_, busyTimeoutMs_);
}

void SqliteDatabase::Rollback() noexcept {
    inWrite_ = false;
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
