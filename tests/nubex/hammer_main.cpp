// nubex_hammer LOCATION CYCLES ROWS: one user of a shared catalog, as hard as it can go. Each
// cycle loads one of the first ROWS countries (by key 1..ROWS, at random), adds one to the
// counter kept in its CodigoTel and stores it. Prints what became of its stores on one line:
// how many were refused as stale, as busy, and with the connection lost, how many went through
// after the connection was first lost, and then how many went through for each key. After a
// lost connection it waits a moment, as a user would before trying again. Any other failure
// ends it with status 1.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "contracts/data_objects.h"
#include "nubex/errors.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace {

namespace rt = mundor::rt;
namespace err = nubex::err;

struct Outcomes {
    long stale = 0, busy = 0;
    long lost = 0;  // the server was away: the store may or may not have been committed
    long storedAfterLost = 0;
    std::vector<long> stored;  // per key
};

std::mt19937 chance(std::random_device{}());
std::uniform_int_distribution<int> thinking(0, 500);

// Sorts a refusal into its kind; false for a failure no user of a shared catalog should see.
bool Count(LONG number, Outcomes& outcomes) {
    if (number == err::kModifiedByOther.number || number == err::kDeletedByOther.number) {
        ++outcomes.stale;
    } else if (number == err::kBusy.number) {
        ++outcomes.busy;
    } else if (number == err::kConnectionLost.number) {
        ++outcomes.lost;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } else {
        std::fprintf(stderr, "refused: %ld\n", static_cast<long>(number));
        return false;
    }
    return true;
}

// One load-change-store cycle; false on a failure outside the expected kinds.
bool Cycle(nubex::Connection* cnn, LONG key, Outcomes& outcomes) {
    auto pais = rt::CreateInstance<nubex::Pais>(nubex::CLSID_Pais);
    rt::BString noGuid, counter;
    LONG mode = 1;
    VARIANT_BOOL ok = VARIANT_FALSE;
    if (FAILED(pais->LoadRecord(&key, noGuid.slot(), &cnn, &mode, &ok))) {
        return Count(rt::LastError().number, outcomes);
    }
    if (ok == VARIANT_FALSE) return Count(0, outcomes);
    pais->get_CodigoTel(counter.put());
    rt::BString next(rt::Utf8ToUtf16(std::to_string(std::stol(counter.utf8()) + 1)));
    pais->put_CodigoTel(next.slot());
    // A moment between reading and storing, as a user takes: the other process gets in between.
    std::this_thread::sleep_for(std::chrono::microseconds(thinking(chance)));
    pais->SaveRecord(&ok);
    if (ok == VARIANT_FALSE) {
        LONG number = 0;
        pais->get_ErrorCode(&number);
        return Count(number, outcomes);
    }
    ++outcomes.stored[key - 1];
    if (outcomes.lost > 0) ++outcomes.storedAfterLost;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "uso: nubex_hammer CATÁLOGO CICLOS FILAS\n");
        return 2;
    }
    const long cycles = std::atol(argv[2]);
    const LONG rows = std::atoi(argv[3]);
    nubex::RegisterInProcess();
    try {
        const rt::Ref<nubex::Catalog> catalog = nubex::OpenCatalog(argv[1], {.create = true});
        rt::Ref<nubex::Connection> cnn;
        rt::ThrowIfFailed(catalog->get_ADOCnn(cnn.put()));
        Outcomes outcomes;
        outcomes.stored.resize(rows);
        for (long i = 0; i < cycles; ++i) {
            if (!Cycle(cnn.get(), 1 + static_cast<LONG>(chance() % rows), outcomes)) return 1;
        }
        std::printf("%ld %ld %ld %ld", outcomes.stale, outcomes.busy, outcomes.lost,
                    outcomes.storedAfterLost);
        for (const long count : outcomes.stored) std::printf(" %ld", count);
        std::printf("\n");
        return 0;
    } catch (const rt::RuntimeError& error) {
        std::fprintf(stderr, "%s\n", rt::Utf16ToUtf8(error.description()).c_str());
        return 1;
    }
}
