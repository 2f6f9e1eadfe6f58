// Two processes share one catalog and store the same few rows a thousand times each: every store
// succeeds or is refused as stale (20013) or busy (20030), no update is lost silently, and the
// catalog checks clean afterwards. PostgresRestart does the same while the server is stopped
// and started under them; it needs a server of its own and runs from restart_test.sh.
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <sstream>
#include <thread>

#include "test_support.h"

namespace nubex_test {
namespace {

constexpr long kCycles = 1000;
constexpr LONG kRows = 4;

// What nubex_hammer prints: its refusals by kind, then its stores per key.
struct Tally {
    long stale = 0, busy = 0, lost = 0, storedAfterLost = 0;
    std::vector<long> stored = std::vector<long>(kRows);
};

Tally ReadTally(FILE* output) {
    std::string line(256, '\0');
    if (!fgets(line.data(), static_cast<int>(line.size()), output)) return {};
    std::istringstream words(line);
    Tally tally;
    words >> tally.stale >> tally.busy >> tally.lost >> tally.storedAfterLost;
    for (long& count : tally.stored) words >> count;
    return tally;
}

class SharedCatalog : public FileCatalogTest {
  protected:
    SharedCatalog() {
        for (LONG i = 1; i <= kRows; ++i) {
            EXPECT_EQ(Pk(AddPais(cnn_.get(), u"", u"País", u"0").get()), i);
        }
    }

    // Both processes' tallies, after `meanwhile` has run while they work.
    std::vector<Tally> RunTwoUsers(const std::function<void()>& meanwhile = [] {}) {
        // The location goes through the environment: a conninfo has blanks and quotes.
        setenv("NUBEX_HAMMER_CATALOG", path_.c_str(), 1);
        const std::string command = std::string(NUBEX_HAMMER) + " \"$NUBEX_HAMMER_CATALOG\" " +
                                    std::to_string(kCycles) + " " + std::to_string(kRows);
        FILE* first = popen(command.c_str(), "r");
        FILE* second = popen(command.c_str(), "r");
        meanwhile();
        std::vector<Tally> tallies{ReadTally(first), ReadTally(second)};
        EXPECT_EQ(pclose(first), 0);
        EXPECT_EQ(pclose(second), 0);
        return tallies;
    }

    // Every store that went through shows in the counter and in the row version. A store whose
    // connection was lost at its commit may have been committed: at most that many more.
    void ExpectEveryStoreCounted(const std::vector<Tally>& tallies) {
        const long lost = tallies[0].lost + tallies[1].lost;
        for (const Tally& tally : tallies) {
            const long stored = std::accumulate(tally.stored.begin(), tally.stored.end(), 0L);
            EXPECT_EQ(stored + tally.stale + tally.busy + tally.lost, kCycles);
        }
        Ref<nubex::Catalog> reopened = nubex::OpenCatalog(path_);
        for (LONG key = 1; key <= kRows; ++key) {
            const long stored = tallies[0].stored[key - 1] + tallies[1].stored[key - 1];
            Ref<nubex::Pais> pais = NewPais();
            ASSERT_TRUE(LoadByKey(pais.get(), key, ConnectionOf(reopened.get()).get()));
            const long counter =
                std::stol(rt::Utf16ToUtf8(Read(pais.get(), &nubex::Pais::get_CodigoTel)));
            EXPECT_GE(counter, stored) << "row " << key << " lost an update";
            EXPECT_LE(counter, stored + lost) << "row " << key;
            EXPECT_EQ(RawDb(path_).QueryInt("SELECT Sys_Version FROM Pais WHERE Sys_PK = " +
                                            std::to_string(key)),
                      counter + 1);
        }
        if (mundor::test::CurrentBackend() == mundor::test::Backend::Sqlite) {
            EXPECT_EQ(RawDb(path_).QueryText("PRAGMA integrity_check"), "ok");
        }
        EXPECT_EQ(RawDb(path_).QueryInt("SELECT count(*) FROM Pais"), kRows);
    }
};

TEST_F(SharedCatalog, TwoProcessesStoringTheSameRowsLoseNoUpdate) {
    const std::vector<Tally> tallies = RunTwoUsers();
    for (const Tally& tally : tallies) {
        EXPECT_EQ(tally.lost, 0);
        EXPECT_GT(*std::max_element(tally.stored.begin(), tally.stored.end()), 0)
            << "a process stored nothing";
    }
    ExpectEveryStoreCounted(tallies);
}

using PostgresRestart = SharedCatalog;

TEST_F(PostgresRestart, StoresGoOnAfterTheServerIsStoppedAndStartedUnderThem) {
    const char* restart = std::getenv("MUNDOR_PG_RESTART_COMMAND");
    if (!restart) GTEST_SKIP() << "needs a server of its own: tests/nubex/restart_test.sh";
    const std::vector<Tally> tallies = RunTwoUsers([restart] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ASSERT_EQ(std::system(restart), 0) << restart;
    });
    for (const Tally& tally : tallies) {
        // A process that lost its connection connected again and went on storing.
        EXPECT_TRUE(tally.lost == 0 || tally.storedAfterLost > 0) << tally.lost << " lost";
    }
    EXPECT_GT(tallies[0].lost + tallies[1].lost, 0)
        << "the restart came after the processes had finished";
    ExpectEveryStoreCounted(tallies);
}

}  // namespace
}  // namespace nubex_test
