#include "catalog_backends.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <stdexcept>

#include "nubex/backend/location.h"
#include "runtime/bstr.h"

namespace mundor::test {

using Table = std::vector<std::vector<std::u16string>>;

// One engine's plain connection: runs statements in the SQL both engines share and gives back
// the rows of the last one as text ("<null>" for NULL).
class RawCatalog::Engine {
  public:
    virtual ~Engine() = default;
    virtual Table Run(const std::string& sql, const std::vector<std::string>& values) = 0;
};

namespace {

constexpr const char* kDefaultConninfo =
    "host=127.0.0.1 port=55432 user=postgres dbname=postgres connect_timeout=5";

[[noreturn]] void Fail(const std::string& sql, const std::string& message) {
    throw std::runtime_error(sql + ": " + message);
}

class SqliteEngine final : public RawCatalog::Engine {
  public:
    explicit SqliteEngine(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
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

    Table Run(const std::string& sql, const std::vector<std::string>& values) override {
        Table rows;
        for (const char* next = sql.c_str(); *next;) {
            sqlite3_stmt* raw = nullptr;
            if (sqlite3_prepare_v2(db_, next, -1, &raw, &next) != SQLITE_OK) {
                Fail(sql, sqlite3_errmsg(db_));
            }
            if (!raw) continue;  // blanks after the last statement
            const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(
                raw, &sqlite3_finalize);
            for (std::size_t i = 0; i < values.size(); ++i) {
                sqlite3_bind_text(raw, static_cast<int>(i + 1), values[i].data(),
                                  static_cast<int>(values[i].size()), SQLITE_TRANSIENT);
            }
            rows.clear();
            int rc = SQLITE_ROW;
            while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
                auto& row = rows.emplace_back();
                for (int c = 0; c < sqlite3_column_count(raw); ++c) {
                    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(raw, c));
                    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes16(raw, c));
                    row.push_back(data ? std::u16string(data, bytes / 2) : u"<null>");
                }
            }
            if (rc != SQLITE_DONE) Fail(sql, sqlite3_errmsg(db_));
        }
        return rows;
    }

  private:
    sqlite3* db_ = nullptr;
};

class PgEngine final : public RawCatalog::Engine {
  public:
    explicit PgEngine(const std::string& conninfo)
        : connection_(PQconnectdb(conninfo.c_str()), &PQfinish) {
        if (PQstatus(connection_.get()) != CONNECTION_OK) {
            throw std::runtime_error(std::string("PostgreSQL: ") +
                                     PQerrorMessage(connection_.get()));
        }
        PQsetClientEncoding(connection_.get(), "UTF8");
        PQsetNoticeProcessor(
            connection_.get(), [](void*, const char*) {}, nullptr);
    }

    // "?N" takes the Nth value, written "$N" for PostgreSQL.
    Table Run(const std::string& sql, const std::vector<std::string>& values) override {
        PGconn* connection = connection_.get();
        std::string dollars = sql;
        std::replace(dollars.begin(), dollars.end(), '?', '$');
        std::vector<const char*> texts;
        for (const std::string& value : values) texts.push_back(value.c_str());
        const std::unique_ptr<PGresult, void (*)(PGresult*)> result(
            values.empty()
                ? PQexec(connection, sql.c_str())
                : PQexecParams(connection, dollars.c_str(), static_cast<int>(texts.size()), nullptr,
                               texts.data(), nullptr, nullptr, 0),
            &PQclear);
        PGresult* answer = result.get();
        const ExecStatusType status = PQresultStatus(answer);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            Fail(sql, PQresultErrorMessage(answer));
        }
        Table rows(PQntuples(answer));
        for (int r = 0; r < PQntuples(answer); ++r) {
            for (int c = 0; c < PQnfields(answer); ++c) {
                rows[r].push_back(PQgetisnull(answer, r, c)
                                      ? u"<null>"
                                      : rt::Utf8ToUtf16(PQgetvalue(answer, r, c)));
            }
        }
        return rows;
    }

  private:
    std::unique_ptr<PGconn, void (*)(PGconn*)> connection_;
};

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
    // Unique among every test process on the server: other builds' suites run there too.
    static std::atomic<int> counter{0};
    schema_ = "nubex_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + "_" +
              std::to_string(std::random_device{}() % 1000000);
    PgEngine(ServerConninfo()).Run("CREATE SCHEMA " + schema_, {});
    // The search_path option, in the form the conninfo is written in.
    const std::string conninfo = ServerConninfo();
    if (conninfo.rfind("postgresql://", 0) != 0 && conninfo.rfind("postgres://", 0) != 0) {
        location_ = conninfo + " options='-csearch_path=" + schema_ + "'";
    } else {
        const char joiner = conninfo.find('?') == std::string::npos ? '?' : '&';
        location_ = conninfo + joiner + "options=-csearch_path%3D" + schema_;
    }
}

ScratchCatalog::~ScratchCatalog() {
    if (schema_.empty()) return;
    try {
        PgEngine(ServerConninfo()).Run("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE", {});
    } catch (const std::exception&) {
        // The server went away with the schema; nothing is left to drop.
    }
}

RawCatalog::RawCatalog(const std::string& location) {
    if (nubex::db::EngineOf(location) == nubex::db::Engine::Postgres) {
        engine_ = std::make_unique<PgEngine>(location);
        // Not the key sequences: they stand outside transactions, so a rolled-back insert has
        // still used its key (which is what keeps keys from ever being reused).
        dumpQueries_ = {"SELECT * FROM Pais ORDER BY Sys_PK",
                        "SELECT * FROM EdoProv ORDER BY Sys_PK",
                        "SELECT * FROM Ciudad ORDER BY Sys_PK"};
    } else {
        engine_ = std::make_unique<SqliteEngine>(location);
        dumpQueries_ = {"SELECT * FROM Pais ORDER BY rowid", "SELECT * FROM EdoProv ORDER BY rowid",
                        "SELECT * FROM Ciudad ORDER BY rowid",
                        "SELECT * FROM sqlite_sequence ORDER BY name"};
    }
}

RawCatalog::~RawCatalog() = default;

void RawCatalog::Exec(const std::string& sql, const std::vector<std::string>& values) {
    engine_->Run(sql, values);
}

std::string RawCatalog::QueryText(const std::string& sql) {
    const Table rows = engine_->Run(sql, {});
    return rows.empty() || rows[0].empty() ? std::string() : rt::Utf16ToUtf8(rows[0][0]);
}

long long RawCatalog::QueryInt(const std::string& sql) {
    return std::stoll(QueryText(sql));
}

Table RawCatalog::Rows(const std::string& sql) {
    return engine_->Run(sql, {});
}

std::u16string RawCatalog::Dump() {
    std::u16string dump;
    for (const std::string& query : dumpQueries_) {
        dump += u"[" + rt::Utf8ToUtf16(query) + u"]\n";
        for (const auto& row : engine_->Run(query, {})) {
            for (const std::u16string& cell : row) dump += cell + u"|";
            dump += u"\n";
        }
    }
    return dump;
}

}  // namespace mundor::test
