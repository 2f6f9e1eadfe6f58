// The catalogs the suites run against, one backend per test process: SQLite by default, and
// PostgreSQL when MUNDOR_TEST_BACKEND=postgresql (CTest registers every suite that goes through
// the data-object library once for each; tests/CMakeLists.txt). Each test gets a catalog of its
// own: a file in a fresh folder, or a fresh schema on the test server, dropped afterwards, so
// that suites may run in parallel, and beside other builds' suites on the same server. Against
// PostgreSQL with no server answering, every test of the process is skipped, saying why.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace mundor::test {

enum class Backend { Sqlite, Postgres };

Backend CurrentBackend();
const char* BackendName(Backend backend);  // "SQLite", "PostgreSQL"

// The test server: MUNDOR_PG_CONNINFO, else 127.0.0.1:55432 as user postgres
// (scripts/start-postgres.sh).
std::string ServerConninfo();
// Empty when the test server answers; otherwise why the PostgreSQL cases are skipped.
std::string ServerUnavailableReason();

// A catalog location of its own (what nubex::OpenCatalog takes), removed when this goes.
class ScratchCatalog {
  public:
    explicit ScratchCatalog(Backend backend = CurrentBackend());
    ~ScratchCatalog();
    ScratchCatalog(const ScratchCatalog&) = delete;
    ScratchCatalog& operator=(const ScratchCatalog&) = delete;

    Backend backend() const { return backend_; }
    const std::string& location() const { return location_; }
    // A folder of its own for files the test needs beside the catalog.
    const std::filesystem::path& folder() const { return folder_.path(); }

  private:
    Backend backend_;
    TempFolder folder_;
    std::string schema_;  // PostgreSQL
    std::string location_;
};

// A plain connection to a catalog location, as another program has it (SQLite itself or
// libpq), for looking at the tables or changing them behind the library's back. Statements are
// written in the SQL both engines share; "?1", "?2", ... take the values given, as UTF-8.
class RawCatalog {
  public:
    explicit RawCatalog(const std::string& location);
    ~RawCatalog();
    RawCatalog(const RawCatalog&) = delete;
    RawCatalog& operator=(const RawCatalog&) = delete;

    // Raises std::runtime_error with the engine's message.
    void Exec(const std::string& sql, const std::vector<std::string>& values = {});
    std::string QueryText(const std::string& sql);  // first column of the first row
    long long QueryInt(const std::string& sql);
    std::vector<std::vector<std::u16string>> Rows(const std::string& sql);
    // Every row of the three tables in key order, and the key counters, text exactly: equal
    // dumps mean nothing was written.
    std::u16string Dump();

    class Engine;

  private:
    std::unique_ptr<Engine> engine_;
    std::vector<std::string> dumpQueries_;
};

}  // namespace mundor::test
