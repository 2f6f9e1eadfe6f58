// Two processes share one catalog and store the same few rows a thousand times each: every store
// succeeds or is refused as stale (20013) or busy (20030), no update is lost silently, and the
// catalog checks clean afterwards. PostgresRestart does the same while the server is stopped
// and started under them; it needs a server of its own and runs from restart_test.sh.
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <random>
#include <thread>

#include "test_support.h"

namespace nubex_test {
namespace {

constexpr long kCycles = 1000;
constexpr LONG kRows = 4;

// What one user's stores became: refused by kind, and gone through per key.
struct Tally {
    long stale = 0, busy = 0;
    long lost = 0;  // the server was away: the store may or may not have been committed
    long storedAfterLost = 0;
    std::array<long, kRows> stored{};
};
using Tallies = std::array<Tally, 2>;

// Sorts a refusal into its kind; false for a failure no user of a shared catalog should see.
bool Count(LONG number, Tally& tally) {
    if (number == nubex::err::kModifiedByOther.number ||
        number == nubex::err::kDeletedByOther.number) {
        ++tally.stale;
    } else if (number == nubex::err::kBusy.number) {
        ++tally.busy;
    } else if (number == nubex::err::kConnectionLost.number) {
        ++tally.lost;  // and waits a moment, as a user would before trying again
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } else {
        return false;
    }
    return true;
}

// One user, as hard as it can go: each cycle loads one of the rows at random, adds one to the
// counter kept in its CodigoTel and stores it. False on a failure outside the expected kinds.
bool Hammer(const std::string& location, Tally& tally) {
    std::mt19937 chance(std::random_device{}());
    const Ref<nubex::Catalog> catalog = nubex::OpenCatalog(location);
    Ref<nubex::Connection> cnn;
    if (FAILED(catalog->get_ADOCnn(cnn.put()))) return false;
    for (long cycle = 0; cycle < kCycles; ++cycle) {
        LONG key = 1 + static_cast<LONG>(chance() % kRows), mode = 1;
        Ref<nubex::Pais> pais = NewPais();
        rt::BString noGuid, counter;
        nubex::Connection* given = cnn.get();
        VARIANT_BOOL ok = VARIANT_FALSE;
        if (FAILED(pais->LoadRecord(&key, noGuid.slot(), &given, &mode, &ok))) {
            if (!Count(rt::LastError().number, tally)) return false;
            continue;
        }
        if (!ok || FAILED(pais->get_CodigoTel(counter.put()))) return false;
        rt::BString next(rt::Utf8ToUtf16(std::to_string(std::stol(counter.utf8()) + 1)));
        pais->put_CodigoTel(next.slot());
        // A moment between reading and storing, as a user takes: the other gets in between.
        std::this_thread::sleep_for(std::chrono::microseconds(chance() % 500));
        if (pais->SaveRecord(&ok) == S_OK && ok) {
            ++tally.stored[key - 1];
            if (tally.lost > 0) ++tally.storedAfterLost;
        } else if (!Count(ErrorCode(pais.get()), tally)) {
            return false;
        }
    }
    return true;
}

class SharedCatalog : public FileCatalogTest {
  protected:
    // Four countries, keys 1 to 4, all without a code: empty codes may repeat.
    SharedCatalog() {
        for (LONG i = 1; i <= kRows; ++i) {
            EXPECT_EQ(Pk(AddPais(cnn_.get(), u"", u"País", u"0").get()), i);
        }
    }

    // Both users' tallies, each user a process of its own keeping its tally in memory shared
    // with the test, after `meanwhile` has run while they work.
    Tallies RunTwoUsers(const std::function<void()>& meanwhile = [] {}) {
        void* memory = mmap(nullptr, sizeof(Tallies), PROT_READ | PROT_WRITE,
                            MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            ADD_FAILURE() << "no memory to share with the users";
            return {};
        }
        Tallies& shared = *new (memory) Tallies{};
        pid_t users[2];
        for (int i = 0; i < 2; ++i) {
            if ((users[i] = fork()) != 0) continue;
            bool sound = false;
            try {
                sound = Hammer(path_, shared[i]);
            } catch (const rt::RuntimeError&) {
            }
            _exit(sound ? 0 : 1);
        }
        meanwhile();
        for (const pid_t pid : users) {
            int status = -1;
            waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a user failed";
        }
        const Tallies tallies = shared;
        munmap(memory, sizeof(Tallies));
        return tallies;
    }

    // Every store that went through shows in the counter and in the row version. A store whose
    // connection was lost at its commit may have been committed: at most that many more.
    void ExpectEveryStoreCounted(const Tallies& tallies) {
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
    const Tallies tallies = RunTwoUsers();
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
    const Tallies tallies = RunTwoUsers([restart] {
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
