// Two processes share one catalog and store the same few rows a thousand times each: every store
// succeeds or is refused as stale (20013) or busy (20030), no update is lost silently, and the
// catalog checks clean afterwards. PostgresRestart does the same while the server is stopped
// and started under them; it needs a server of its own and runs from restart_test.sh.
#include <stdio.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <thread>

#include "test_support.h"

namespace nubex_test {
namespace {

constexpr long kCycles = 1000;
constexpr LONG kRows = 4;

struct Tally {
    std::map<LONG, long> stored;
    long stale = 0, busy = 0, lost = 0, storedAfterLost = 0;
    long total() const {
        long sum = stale + busy + lost;
        for (const auto& [key, count] : stored) sum += count;
        return sum;
    }
};

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Tally ReadTally(FILE* output) {
    std::string text;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, output)) text += buffer;
    std::istringstream lines(text);
    Tally tally;
    for (std::string word; lines >> word;) {
        if (word == "stored") {
            LONG key = 0;
            lines >> key >> tally.stored[key];
        } else if (word == "stale") {
            lines >> tally.stale;
        } else if (word == "busy") {
            lines >> tally.busy;
        } else if (word == "lost") {
            lines >> tally.lost;
        } else if (word == "stored-after-lost") {
            lines >> tally.storedAfterLost;
        }
    }
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
        const std::string command = std::string(NUBEX_HAMMER) + " " + ShellQuoted(path_) + " " +
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
        long lost = 0;
        for (const Tally& tally : tallies) {
            EXPECT_EQ(tally.total(), kCycles);
            lost += tally.lost;
            std::printf("a process: %ld stale, %ld busy, %ld lost (then %ld stored)\n", tally.stale,
                        tally.busy, tally.lost, tally.storedAfterLost);
        }
        Ref<nubex::Catalog> reopened = nubex::OpenCatalog(path_);
        for (LONG key = 1; key <= kRows; ++key) {
            long stored = 0;
            for (const Tally& tally : tallies) {
                if (auto found = tally.stored.find(key); found != tally.stored.end()) {
                    stored += found->second;
                }
            }
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
        EXPECT_GT(tally.stored.size(), 0u) << "a process stored nothing";
    }
    ExpectEveryStoreCounted(tallies);
}

using PostgresRestart = SharedCatalog;

TEST_F(PostgresRestart, StoresGoOnAfterTheServerIsStoppedAndStartedUnderThem) {
    const char* restart = std::getenv("MUNDOR_PG_RESTART_COMMAND");
    if (!restart) {
        GTEST_SKIP() << "needs a server of its own: tests/nubex/restart_test.sh";
    }
    const std::vector<Tally> tallies = RunTwoUsers([restart] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ASSERT_EQ(std::system(restart), 0) << restart;
    });
    long lost = 0;
    for (const Tally& tally : tallies) {
        lost += tally.lost;
        // A process that lost its connection connected again and went on storing.
        if (tally.lost > 0) {
            EXPECT_GT(tally.storedAfterLost, 0);
        }
    }
    EXPECT_GT(lost, 0) << "the restart came after the processes had finished";
    ExpectEveryStoreCounted(tallies);
}

}  // namespace
}  // namespace nubex_test
