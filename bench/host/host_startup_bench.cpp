// mundor-host from process start to the first paint of its window, over a world catalog that
// already exists (every later run after the first), beside the floor: a bare Qt window's start
// to its first paint, in the same run. The host's extra is its own work: loading the component
// and data libraries (SQLite, ICU), registering them, opening the catalog, creating
// Mundor.MundorFx by ProgID and building its larger window; the status line's counts run in the
// background and do not delay the paint. Each iteration starts both programs once; give it a
// few seconds for steady figures:
//   bin/bench_host_startup --benchmark_min_time=3
#include <benchmark/benchmark.h>

#include "first_paint_run.h"
#include "nubex/import/world_loader.h"
#include "support/beside_floor.h"
#include "support/scratch_dir.h"

namespace {

using mundor::bench::ProgramToTime;
using mundor::bench::TimeToFirstPaint;

void BM_HostStartupToFirstPaint(benchmark::State& state) {
    const mundor::bench::ScratchDir dir;
    const std::string catalog = (dir / "catalog.db").string();
    try {
        nubex::import::LoadWorldIntoCatalog(WORLD_DATASET, catalog);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    const std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen",
                                               "MUNDOR_REGISTRY=" + (dir / "registry.ini").string(),
                                               "XDG_DATA_HOME=" + (dir / "data").string()};
    const ProgramToTime host{MUNDOR_HOST_PROGRAM, {"--catalog", catalog}, environment};
    const ProgramToTime bare{BARE_QT_WINDOW_PROGRAM, {}, environment};

    try {
        mundor::bench::RunBesideFloor(
            state, [&] { TimeToFirstPaint(host); }, [&] { TimeToFirstPaint(bare); });
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}
BENCHMARK(BM_HostStartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
