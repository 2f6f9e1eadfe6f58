// Expanding a state of many cities in the geography browser, headless and end to end: a host
// opens the browser with ExplorerCountry, the scripted user expands the country and then the
// state, and closes the window. Only the state's expansion is timed, from inside the session;
// the floor reads the same cities with a raw SQLite statement.
#include <benchmark/benchmark.h>

#include "cities_catalog.h"
#include "contracts/ui/toolkit.h"
#include "expansion_beside_floor.h"
#include "ui/headless/headless_toolkit.h"

namespace {

namespace bench = mundor::bench;
namespace ui = mundor::ui;
using Clock = std::chrono::steady_clock;

bench::Seconds ExpandHeadless(ui::headless::HeadlessToolkit& toolkit, int size) {
    Clock::time_point start;
    Clock::time_point end;
    toolkit.user()
        .OnShow(u"brwPaises")
        .ExpandNode(u"tvwPaises", bench::kCountryKey)
        .Run(u"start the clock", [&](ui::Window&) { start = Clock::now(); })
        .ExpandNode(u"tvwPaises", bench::CitiesCatalog::Get().StateKey(size))
        .Run(u"stop the clock", [&](ui::Window&) { end = Clock::now(); })
        .Click(u"cmdCerrar");
    bench::BoundMundorFx().ExplorerCountry();
    return end - start;
}

void BM_ExpandStateHeadless(benchmark::State& state) {
    ui::headless::HeadlessToolkit toolkit;
    ui::ScopedThreadToolkit installed(toolkit);
    bench::RunExpansionBesideFloor(state, [&](int size) { return ExpandHeadless(toolkit, size); });
}

BENCHMARK(BM_ExpandStateHeadless)->Apply(bench::ExpansionSizes);

}  // namespace
