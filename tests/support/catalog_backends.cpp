#include "catalog_backends.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <random>
#include <stdexcept>

#include "nubex/backend/location.h"
#include "runtime/bstr.h"

namespace mundor::test {

namespace {

constexpr const char* kDefaultConninfo =
    "host=127.0.0.1 port=55432 user=postgres dbname=postgres connect_timeout=5";

bool IsUri(const std::string& conninfo) {
    return conninfo.rfind("postgresql://", 0) == 0 || conninfo.rfind("postgres://", 0) == 0;
}

// The conninfo with the search_path option added, in the form it is written in.
std::string WithSchema(const std::string& conninfo, const std::string& schema) {
    if (!IsUri(conninfo)) return conninfo + " options='-csearch_path=" + schema + "'";
    const char joiner = conninfo.find('?') == std::string::npos ? '?' : '&';
    return conninfo + joiner + "options=-csearch_path%3D" + schema;
}

std::string UniqueName(const char* prefix) {
    static std::atomic<int> counter{0};
    std::random_device random;
    return prefix + std::to_string(::getpid()) + "_" + std::to_string(++counter) + "_" +
           std::to_string(random() % 1000000);
}

struct PgConnectionCloser {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct PgResultClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
using PgConnection = std::unique_ptr<PGconn, PgConnectionCloser>;
using PgResult = std::unique_ptr<PGresult, PgResultClearer>;

PgConnection ConnectPg(const std::string& conninfo) {
    PgConnection connection(PQconnectdb(conninfo.c_str()));
    if (PQstatus(connection.get()) != CONNECTION_OK) {
        throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(connection.get()));
    }
    PQsetClientEncoding(connection.get(), "UTF8");
    PQsetNoticeProcessor(
        connection.get(), [](void*, const char*) {}, nullptr);
    return connection;
}

void ExecPg(PGconn* connection, const std::string& sql) {
    PgResult result(PQexec(connection, sql.c_str()));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        throw std::runtime_error(sql + ": " + PQresultErrorMessage(result.get()));
    }
}

// "?N" as PostgreSQL writes it.
std::string DollarPlaceholders(std::string sql) {
    for (std::size_t at = sql.find('?'); at != std::string::npos; at = sql.find('?', at)) {
        sql[at] = '$';
    }
    return sql;
}

}  // namespace

Backend CurrentBackend() {
    const char* chosen = std::getenv("MUNDOR_TEST_BACKEND");
    return chosen && std::string(chosen) == "postgresql" ? Backend::Postgres : Backend::Sqlite;
}

const char* BackendName(Backend backend) {
    return backend == Backend::Postgres ? "PostgreSQL" : "SQLite";
}

std::string ServerConninfo() {
    const char* given = std::getenv("MUNDOR_PG_CONNINFO");
    return given && *given ? given : kDefaultConninfo;
}

std::string ServerUnavailableReason() {
    static const std::string reason = [] {
        const std::string conninfo = ServerConninfo();
        if (PQping(conninfo.c_str()) == PQPING_OK) return std::string();
        return "no PostgreSQL server answers at \"" + conninfo +
               "\" (scripts/start-postgres.sh starts one; MUNDOR_PG_CONNINFO names another)";
    }();
    return reason;
}

ScratchCatalog::ScratchCatalog(Backend backend) : backend_(backend) {
    if (backend_ == Backend::Sqlite) {
        location_ = (folder_ / "catalogo.db").string();
        return;
    }
    schema_ = UniqueName("nubex_test_");
    ExecPg(ConnectPg(ServerConninfo()).get(), "CREATE SCHEMA " + schema_);
    location_ = WithSchema(ServerConninfo(), schema_);
}

ScratchCatalog::~ScratchCatalog() {
    if (schema_.empty()) return;
    try {
        ExecPg(ConnectPg(ServerConninfo()).get(), "DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    } catch (const std::exception&) {
        // The server went away with the schema; nothing is left to drop.
    }
}

class RawCatalog::Engine {
  public:
    virtual ~Engine() = default;
    virtual void Exec(const std::string& sql, const std::vector<std::string>& values) = 0;
    virtual std::vector<std::vector<std::u16string>> Rows(const std::string& sql) = 0;
    virtual std::vector<std::string> DumpQueries() const = 0;
};

namespace {

class SqliteEngine final : public RawCatalog::Engine {
  public:
    explicit SqliteEngine(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open " + path);
        }
        sqlite3_busy_timeout(db_, 5000);
        // Writing cities needs the catalog's collation, which another program loads as an
        // extension.
        char* message = nullptr;
        sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 1, nullptr);
        if (sqlite3_load_extension(db_, NUBEX_ES_MODULE, nullptr, &message) != SQLITE_OK) {
            const std::string error = message ? message : "";
            sqlite3_free(message);
            sqlite3_close(db_);
            throw std::runtime_error("cannot load " NUBEX_ES_MODULE ": " + error);
        }
    }
    ~SqliteEngine() override { sqlite3_close(db_); }

    void Exec(const std::string& sql, const std::vector<std::string>& values) override {
        if (values.empty()) {
            char* message = nullptr;
            if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
            const std::string text = message ? message : "?";
            sqlite3_free(message);
            throw std::runtime_error(sql + ": " + text);
        }
        sqlite3_stmt* statement = Prepare(sql);
        for (std::size_t i = 0; i < values.size(); ++i) {
            sqlite3_bind_text(statement, static_cast<int>(i + 1), values[i].data(),
                              static_cast<int>(values[i].size()), SQLITE_TRANSIENT);
        }
        const int rc = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        }
    }

    std::vector<std::vector<std::u16string>> Rows(const std::string& sql) override {
        sqlite3_stmt* statement = Prepare(sql);
        std::vector<std::vector<std::u16string>> rows;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            auto& row = rows.emplace_back();
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const auto* data =
                    static_cast<const char16_t*>(sqlite3_column_text16(statement, c));
                const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes16(statement, c));
                row.push_back(data ? std::u16string(data, bytes / 2) : u"<null>");
            }
        }
        sqlite3_finalize(statement);
        return rows;
    }

    std::vector<std::string> DumpQueries() const override {
        return {"SELECT * FROM Pais ORDER BY rowid", "SELECT * FROM EdoProv ORDER BY rowid",
                "SELECT * FROM Ciudad ORDER BY rowid",
                "SELECT * FROM sqlite_sequence ORDER BY name"};
    }

  private:
    sqlite3_stmt* Prepare(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        }
        return statement;
    }

    sqlite3* db_ = nullptr;
};

class PgEngine final : public RawCatalog::Engine {
  public:
    explicit PgEngine(const std::string& conninfo) : connection_(ConnectPg(conninfo)) {}

    void Exec(const std::string& sql, const std::vector<std::string>& values) override {
        if (values.empty()) return ExecPg(connection_.get(), sql);
        std::vector<const char*> texts;
        for (const std::string& value : values) texts.push_back(value.c_str());
        PgResult result(PQexecParams(connection_.get(), DollarPlaceholders(sql).c_str(),
                                     static_cast<int>(texts.size()), nullptr, texts.data(), nullptr,
                                     nullptr, 0));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            throw std::runtime_error(sql + ": " + PQresultErrorMessage(result.get()));
        }
    }

    std::vector<std::vector<std::u16string>> Rows(const std::string& sql) override {
        PgResult result(PQexec(connection_.get(), sql.c_str()));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) {
            throw std::runtime_error(sql + ": " + PQresultErrorMessage(result.get()));
        }
        std::vector<std::vector<std::u16string>> rows;
        for (int r = 0; r < PQntuples(result.get()); ++r) {
            auto& row = rows.emplace_back();
            for (int c = 0; c < PQnfields(result.get()); ++c) {
                row.push_back(PQgetisnull(result.get(), r, c)
                                  ? u"<null>"
                                  : rt::Utf8ToUtf16(PQgetvalue(result.get(), r, c)));
            }
        }
        return rows;
    }

    std::vector<std::string> DumpQueries() const override {
        // Not the key sequences: they stand outside transactions, so a rolled-back insert has
        // still used its key (which is what keeps keys from ever being reused).
        return {"SELECT * FROM Pais ORDER BY Sys_PK", "SELECT * FROM EdoProv ORDER BY Sys_PK",
                "SELECT * FROM Ciudad ORDER BY Sys_PK"};
    }

  private:
    PgConnection connection_;
};

}  // namespace

RawCatalog::RawCatalog(const std::string& location) {
    if (nubex::db::EngineOf(location) == nubex::db::Engine::Postgres) {
        engine_ = std::make_unique<PgEngine>(location);
    } else {
        engine_ = std::make_unique<SqliteEngine>(location);
    }
}

RawCatalog::~RawCatalog() = default;

void RawCatalog::Exec(const std::string& sql, const std::vector<std::string>& values) {
    engine_->Exec(sql, values);
}

std::string RawCatalog::QueryText(const std::string& sql) {
    const auto rows = engine_->Rows(sql);
    return rows.empty() || rows[0].empty() ? std::string() : rt::Utf16ToUtf8(rows[0][0]);
}

std::vector<std::vector<std::u16string>> RawCatalog::Rows(const std::string& sql) {
    return engine_->Rows(sql);
}

long long RawCatalog::QueryInt(const std::string& sql) {
    return std::stoll(QueryText(sql));
}

std::u16string RawCatalog::Dump() {
    std::u16string dump;
    for (const std::string& query : engine_->DumpQueries()) {
        dump += u"[" + rt::Utf8ToUtf16(query) + u"]\n";
        for (const auto& row : engine_->Rows(query)) {
            for (const std::u16string& cell : row) dump += cell + u"|";
            dump += u"\n";
        }
    }
    return dump;
}

}  // namespace mundor::test
