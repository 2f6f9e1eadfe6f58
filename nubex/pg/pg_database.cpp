#include "nubex/pg/pg_database.h"

#include <algorithm>
#include <charconv>

#include "nubex/errors.h"
#include "nubex/pg/pg_bulk_insert.h"
#include "nubex/pg/pg_error.h"
#include "nubex/pg/pg_search.h"
#include "nubex/pg/pg_statement.h"
#include "nubex/pg/schema.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::pg {

namespace {

[[noreturn]] void RaiseError(const err::ErrorText& error) {
    mundor::rt::Raise(error.number, std::u16string(error.text));
}

[[noreturn]] void RaiseOpenFailure(const db::DbError& error) {
    if (error.failure() == db::Failure::Busy) RaiseError(err::kBusy);
    mundor::rt::Raise(err::kCannotOpen.number, std::u16string(err::kCannotOpen.text) +
                                                   mundor::rt::Utf8ToUtf16(error.what()));
}

}  // namespace

PgDatabase::PgDatabase(std::string location, int busyTimeoutMs)
    : location_(std::move(location)), busyTimeoutMs_(busyTimeoutMs) {}

PgDatabase::~PgDatabase() = default;

std::unique_ptr<PgDatabase> PgDatabase::Open(const std::string& location, int busyTimeoutMs,
                                             bool create) {
    std::unique_ptr<PgDatabase> database(new PgDatabase(location, busyTimeoutMs));
    try {
        database->Connect();
        database->EnsureSchema(create);
    } catch (const db::DbError& error) {
        RaiseOpenFailure(error);
    }
    return database;
}

void PgDatabase::Connect() {
    // Keywords after the location override it, those before it are defaults it may change
    // (libpq's PQconnectdbParams with expand_dbname): the text always travels as UTF-8.
    const char* const keywords[] = {"connect_timeout", "fallback_application_name", "dbname",
                                    "client_encoding", nullptr};
    const char* const values[] = {"10", "nubex", location_.c_str(), "UTF8", nullptr};
    connection_.reset(PQconnectdbParams(keywords, values, 1));
    if (!connection_) throw std::bad_alloc();
    // The server's notices (a drop that cascades, say) are not the host's business.
    PQsetNoticeProcessor(
        connection_.get(), [](void*, const char*) {}, nullptr);
    if (PQstatus(connection_.get()) != CONNECTION_OK) Fail(nullptr);
    ConfigureSession();
}

void PgDatabase::Reconnect() {
    preparedNames_.clear();
    PQreset(connection_.get());
    if (PQstatus(connection_.get()) != CONNECTION_OK) Fail(nullptr);
    broken_ = false;
    ConfigureSession();
}

void PgDatabase::ConfigureSession() {
    // lock_timeout 0 would mean "wait for ever"; the busy timeout 0 means "do not wait".
    const std::string timeout = std::to_string(busyTimeoutMs_ > 0 ? busyTimeoutMs_ : 1);
    const char* values[] = {timeout.c_str()};
    // No parallel plans: the library's statements are small, workers would only add latency,
    // and the search's parts must run one after another (store/place_search.cpp).
    PgResult result(PQexecParams(connection_.get(),
                                 "SELECT set_config('lock_timeout', $1, false), "
                                 "set_config('max_parallel_workers_per_gather', '0', false)",
                                 1, nullptr, values, nullptr, nullptr, 0));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) Fail(result.get());
}

void PgDatabase::EnsureSchema(bool create) {
    // A plain (read committed) transaction: after the lock it sees what others committed.
    Execute("BEGIN");
    inTransaction_ = true;
    try {
        CheckOrCreateSchema(create);
        Commit();
    } catch (...) {
        Rollback();
        throw;
    }
}

void PgDatabase::CheckOrCreateSchema(bool create) {
    // Two programs opening one new catalog at once: the second waits, then finds it made.
    Execute("SELECT pg_advisory_xact_lock(hashtext('nubex ' || coalesce(current_schema(), '')))");
    const std::int64_t marked = QueryInt(
        "SELECT count(*) FROM pg_catalog.pg_tables WHERE schemaname = current_schema() AND "
        "tablename = 'nubex_esquema'");
    if (marked > 0) {
        const std::int64_t version = QueryInt("SELECT max(Version) FROM Nubex_Esquema");
        if (version == kSchemaVersion) return;
        if (version > kSchemaVersion) RaiseError(err::kNewerCatalog);
        if (version < 1) RaiseError(err::kNotACatalogSchema);
        // An older catalog gets what it lacks, in order: the search indexes, built from its
        // rows (version 1), the importer's memory, empty (up to 2), the row-version triggers
        // (up to 3).
        if (version == 1) Execute(std::string(SearchSql()).c_str());
        if (version <= 2) Execute(std::string(ImportMemorySql()).c_str());
        return Execute(std::string(RowVersionSql()).c_str());
    }
    const std::int64_t tables = QueryInt(
        "SELECT count(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON "
        "n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relkind IN "
        "('r', 'p', 'v', 'm', 'f')");
    if (tables > 0) RaiseError(err::kNotACatalogSchema);
    if (!create) RaiseError(err::kNoCatalogThere);
    Execute(std::string(SchemaSql()).c_str());
}

void PgDatabase::Execute(const char* sql) {
    PgResult result(PQexec(Live(), sql));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) Fail(result.get());
}

std::int64_t PgDatabase::QueryInt(const char* sql) {
    auto statement = Prepare(sql);
    return statement->Step() ? statement->Int(0) : 0;
}

PGconn* PgDatabase::Live() {
    const bool lost = broken_ || PQstatus(connection_.get()) == CONNECTION_BAD;
    if (!lost) return connection_.get();
    if (inTransaction_) {
        throw db::DbError(db::Failure::ConnectionLost,
                          "la conexión se perdió durante la transacción");
    }
    Reconnect();
    return connection_.get();
}

void PgDatabase::Fail(const PGresult* result) {
    const db::Failure failure = Classify(result, connection_.get());
    if (failure == db::Failure::ConnectionLost) broken_ = true;
    throw db::DbError(failure, MessageOf(result, connection_.get()));
}

std::unique_ptr<db::Statement> PgDatabase::Prepare(std::string_view sql) {
    std::string key(sql);
    auto found = sql_.find(key);
    if (found == sql_.end()) {
        auto rewritten = std::make_shared<const PgSql>(sql);
        found = sql_.emplace(std::move(key), std::move(rewritten)).first;
    }
    return std::make_unique<PgStatement>(*this, found->second);
}

const std::string& PgDatabase::PreparedName(const PgSql& sql) {
    if (auto found = preparedNames_.find(&sql); found != preparedNames_.end()) {
        return found->second;
    }
    std::string name = "nubex_" + std::to_string(preparedNames_.size() + 1);
    PgResult result(
        PQprepare(Live(), name.c_str(), sql.text().c_str(), sql.parameterCount(), nullptr));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) Fail(result.get());
    return preparedNames_.emplace(&sql, std::move(name)).first->second;
}

PgResult PgDatabase::Run(const PgSql& sql, const std::vector<const char*>& values) {
    PGconn* connection = Live();
    const std::string& name = PreparedName(sql);
    PgResult result(PQexecPrepared(connection, name.c_str(), static_cast<int>(values.size()),
                                   values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) Fail(result.get());
    return result;
}

void PgDatabase::Begin(db::TransactionKind kind) {
    if (kind == db::TransactionKind::Read) {
        Execute("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY");
        inTransaction_ = true;
        return;
    }
    Execute("BEGIN");
    inTransaction_ = true;
    try {
        // In one statement, so every writer takes the three locks in the same order.
        Execute("LOCK TABLE Pais, EdoProv, Ciudad IN SHARE ROW EXCLUSIVE MODE");
    } catch (...) {
        Rollback();
        throw;
    }
}

void PgDatabase::Commit() {
    inTransaction_ = false;
    // Never on a new connection: its COMMIT would answer for a transaction it never saw.
    if (broken_ || PQstatus(connection_.get()) != CONNECTION_OK) {
        throw db::DbError(db::Failure::ConnectionLost,
                          "la conexión se perdió antes de confirmar la transacción");
    }
    PgResult result(PQexec(connection_.get(), "COMMIT"));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) Fail(result.get());
    // A transaction that had failed ends with ROLLBACK, and PostgreSQL does not call it an error.
    if (std::string_view(PQcmdStatus(result.get())) != "COMMIT") {
        throw db::DbError(db::Failure::Other, "the transaction was rolled back");
    }
}

void PgDatabase::Rollback() noexcept {
    if (!inTransaction_) return;
    inTransaction_ = false;
    if (broken_ || PQstatus(connection_.get()) != CONNECTION_OK) return;
    PgResult ignored(PQexec(connection_.get(), "ROLLBACK"));
}

std::int64_t PgDatabase::ReserveKeys(std::string_view table, std::int64_t count) {
    if (count <= 0) return 1;
    // Under the write transaction's lock nobody else draws from the sequence between the two.
    auto statement = Prepare(
        "SELECT setval(pg_get_serial_sequence(?1, 'sys_pk'), "
        "nextval(pg_get_serial_sequence(?1, 'sys_pk')) + ?2 - 1)");
    statement->BindUtf8(1, table);
    statement->Bind(2, count);
    if (!statement->Step()) throw db::DbError(db::Failure::Other, "no key sequence");
    return statement->Int(0) - count + 1;
}

db::SearchTerms PgDatabase::PrepareSearch(std::u16string_view text) {
    auto fold = Prepare(kFoldSql);
    fold->Bind(1, text);
    std::vector<std::string> words;
    if (fold->Step()) {
        const std::string folded = fold->TextUtf8(0);
        for (std::size_t start = 0; start < folded.size();) {
            const std::size_t end = std::min(folded.find(' ', start), folded.size());
            if (end > start) words.push_back(folded.substr(start, end - start));
            start = end + 1;
        }
    }
    return TsQueryTerms(words);
}

std::string PgDatabase::SearchCondition(std::string_view, MatchKind kind) const {
    return TsQueryCondition(kind);
}

std::unique_ptr<db::DeferredSearchIndex> PgDatabase::DeferSearchIndex() {
    struct InStep final : db::DeferredSearchIndex {
        void Finish() override {}
    };
    return std::make_unique<InStep>();
}

std::unique_ptr<db::BulkInsert> PgDatabase::StartBulkInsert(std::string_view table,
                                                            std::string_view columns) {
    return std::make_unique<PgBulkInsert>(*this, table, columns);
}

}  // namespace nubex::pg
