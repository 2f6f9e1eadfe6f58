// The main window's search as a user sees it: from a keystroke in the search field to its
// places shown in the list (the search on its own thread, the answer carried back to the
// window's thread, the list filled and the best place selected), over the whole shipped world
// on SQLite. Beside it, its floor: the same nubex::Search called directly on the window's
// thread. The ratio is what the window adds to the search; the time is the one the user waits
// for (the goal: the first places within 50 ms of a keystroke). Runs on the offscreen platform
// unless the environment names one.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTreeView>
#include <memory>

#include "catalog_backends.h"
#include "host/search_pane.h"
#include "nubex/import/world_loader.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "runtime/text.h"
#include "support/beside_floor.h"
#include "support/qt_benchmarks.h"

namespace {

namespace rt = mundor::rt;

// What a user types, the text after each keystroke.
const char16_t* const kTyped[] = {u"g",     u"gua",    u"guadal",  u"sao",
                                  u"sao p", u"mexico", u"san jose"};

// The shipped world in a SQLite catalog and the search pane over it, made once for the program
// and released as the QApplication ends.
struct SearchedWorld;
std::unique_ptr<SearchedWorld> theWorld;

struct SearchedWorld {
    static SearchedWorld& Get() {
        if (!theWorld) {
            theWorld = std::make_unique<SearchedWorld>();
            qAddPostRoutine([] { theWorld.reset(); });
        }
        return *theWorld;
    }
    SearchedWorld() : scratch(mundor::test::Backend::Sqlite) {
        nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, scratch.location());
        catalog = nubex::OpenCatalog(scratch.location());
        pane = std::make_unique<mundor::host::SearchPane>(scratch.location(),
                                                          QStringLiteral("banco de pruebas"));
        pane->show();
    }

    mundor::test::ScratchCatalog scratch;  // first in, last out
    rt::Ref<nubex::Catalog> catalog;
    std::unique_ptr<mundor::host::SearchPane> pane;
};

// Runs the window's event loop until the pane shows the answer to its last request; false after
// five seconds without one. Woken by the answer itself, so the wait adds no polling delay.
bool WaitShown(mundor::host::SearchPane& pane) {
    if (pane.Settled()) return true;
    QEventLoop loop;
    pane.onSettled = [&loop, &pane] {
        if (pane.Settled()) loop.quit();
    };
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    pane.onSettled = nullptr;
    return pane.Settled();
}

void BM_KeystrokeToPlacesShown(benchmark::State& state) {
    SearchedWorld& world = SearchedWorld::Get();
    mundor::host::SearchPane& pane = *world.pane;
    const QString text = QString::fromStdU16String(kTyped[state.range(0)]);
    state.SetLabel(text.toStdString());
    bool shown = true;
    int rows = 0;
    mundor::bench::RunBesideFloor(
        state,
        [&] {
            // Back to an empty field, untimed, so that every keystroke starts a new search.
            pane.field().clear();
            WaitShown(pane);
        },
        [&] {
            pane.field().setText(text);
            shown = WaitShown(pane) && shown;
            rows = pane.results().model()->rowCount();
        },
        [&] {
            benchmark::DoNotOptimize(nubex::Search(world.catalog.get(), text.toStdU16String()));
        });
    if (!shown || rows == 0) state.SkipWithError("the window showed no places");
    state.counters["rows"] = rows;
}

BENCHMARK(BM_KeystrokeToPlacesShown)
    ->DenseRange(0, std::size(kTyped) - 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return mundor::bench::RunQtBenchmarks(argc, argv);
}
