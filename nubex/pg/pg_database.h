// The PostgreSQL backend: one libpq connection to a catalog (a connection URI or key/value
// conninfo; the libpq environment variables and service files apply), in UTF-8, with the busy
// timeout as lock_timeout and a cache of prepared statements.
//
// A write transaction locks the three tables against other writers (SHARE ROW EXCLUSIVE) at
// once, as SQLite's BEGIN IMMEDIATE does: readers go on, and a second writer waits at most the
// busy timeout. A read transaction is one REPEATABLE READ snapshot.
//
// A lost connection (server down, restarted, unreachable) fails the operation under way with
// Failure::ConnectionLost; the next operation started outside a transaction connects again.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "nubex/backend/database.h"
#include "nubex/pg/pg_handles.h"
#include "nubex/pg/pg_sql.h"

namespace nubex::pg {

class PgDatabase final : public db::Database {
  public:
    // Connects and checks the catalog's schema, bringing a catalog of an older version up to
    // date; a current schema without tables gets the catalog only when `create` says so.
    // Raises the library's run-time errors (cannot open, no catalog there, not a catalog, newer
    // catalog, busy).
    static std::unique_ptr<PgDatabase> Open(const std::string& location, int busyTimeoutMs,
                                            bool create);
    ~PgDatabase() override;
    PgDatabase(const PgDatabase&) = delete;
    PgDatabase& operator=(const PgDatabase&) = delete;

    std::u16string_view BackendName() const override { return u"postgresql"; }
    std::unique_ptr<db::Statement> Prepare(std::string_view sql) override;
    void Begin(db::TransactionKind kind) override;
    void Commit() override;
    void Rollback() noexcept override;
    std::int64_t ReserveKeys(std::string_view table, std::int64_t count) override;
    std::unique_ptr<db::BulkInsert> StartBulkInsert(std::string_view table,
                                                    std::string_view columns) override;
    db::SearchTerms PrepareSearch(std::u16string_view text) override;
    std::string SearchCondition(std::string_view table, MatchKind kind) const override;
    // The server keeps its GIN indexes in step row by row about as fast as it would build them
    // again, and dropping one would lock readers out: nothing to defer.
    std::unique_ptr<db::DeferredSearchIndex> DeferSearchIndex() override;

    // Runs a statement with its parameters (null: SQL NULL), preparing it on this session
    // first when needed. Raises DbError.
    PgResult Run(const PgSql& sql, const std::vector<const char*>& values);
    // The connection, connected again first when it was lost outside a transaction.
    PGconn* Live();
    // The connection as it is, for work that must stay on it (a COPY under way).
    PGconn* Raw() const { return connection_.get(); }
    // Raises the failure of `result` (null: of the connection), marking a lost connection.
    [[noreturn]] void Fail(const PGresult* result);
    // Runs fixed SQL without parameters that returns no rows.
    void Execute(const char* sql);

  private:
    PgDatabase(std::string location, int busyTimeoutMs);
    void Connect();
    void Reconnect();
    void ConfigureSession();
    void EnsureSchema(bool create);
    void CheckOrCreateSchema(bool create);
    std::int64_t QueryInt(const char* sql);
    const std::string& PreparedName(const PgSql& sql);

    std::string location_;
    int busyTimeoutMs_;
    PgConnection connection_;
    bool broken_ = false;
    bool inTransaction_ = false;
    std::unordered_map<std::string, std::shared_ptr<const PgSql>> sql_;
    std::unordered_map<const PgSql*, std::string> preparedNames_;  // this session's
};

}  // namespace nubex::pg
