// The SQLite backend: one connection to a catalog file (or ":memory:") with foreign keys on,
// WAL journaling, a busy timeout, UTF-16 text in and out, the Spanish name collation, the FTS5
// search (fts5_search.h) and a cache of prepared statements.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "nubex/backend/database.h"
#include "nubex/sqlite/fts5_search.h"

struct sqlite3;
struct sqlite3_stmt;

namespace nubex::sqlite {

class SqliteDatabase final : public db::Database {
  public:
    // Opens the file and brings a catalog of an older version up to date. A missing or empty
    // file gets the catalog schema only when `create` says so (":memory:" always does). A
    // catalog that cannot be written (a read-only file, folder or file system) opens for
    // reading, and every write transaction on it is refused as read-only. Raises the library's
    // run-time errors (cannot open, no catalog there, not a catalog, newer catalog, busy).
    static std::unique_ptr<SqliteDatabase> Open(const std::string& path, int busyTimeoutMs,
                                                bool create);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    std::u16string_view BackendName() const override { return u"sqlite"; }
    std::unique_ptr<db::Statement> Prepare(std::string_view sql) override;
    void Begin(db::TransactionKind kind) override;
    void Commit() override;
    void Rollback() noexcept override;
    std::int64_t ReserveKeys(std::string_view table, std::int64_t count) override;
    std::unique_ptr<db::BulkInsert> StartBulkInsert(std::string_view table,
                                                    std::string_view columns) override;
    db::SearchTerms PrepareSearch(std::u16string_view text) override;
    std::string SearchCondition(std::string_view table, MatchKind kind) const override;
    std::unique_ptr<db::DeferredSearchIndex> DeferSearchIndex() override;

    // A finished statement comes back here, reset, for the next Prepare of the same text.
    void Recycle(std::string sql, sqlite3_stmt* statement) noexcept;
    // Runs fixed SQL, several statements allowed, that returns no rows.
    void Execute(const char* sql);

  private:
    explicit SqliteDatabase(sqlite3* connection);
    static std::unique_ptr<SqliteDatabase> Connect(const std::string& path, int flags,
                                                   int busyTimeoutMs);
    void Configure(bool create);
    void EnsureSchema(bool create);
    void CheckStillAtPath();
    void EmptyWal() noexcept;
    std::int64_t QueryInt(const char* sql);

    sqlite3* connection_;
    std::unique_ptr<Fts5Search> search_;
    std::unordered_multimap<std::string, sqlite3_stmt*> idle_;
    bool readOnly_ = false;
    bool inWrite_ = false;
    int busyTimeoutMs_ = 0;
};

}  // namespace nubex::sqlite
