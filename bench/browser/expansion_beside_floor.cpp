#include "expansion_beside_floor.h"

#include "nubex/nubex.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "support/scratch_dir.h"

extern "C" HRESULT DllRegisterServer();

namespace mundor::bench {

void RunExpansionBesideFloor(benchmark::State& state, const ExpandOnce& expandOnce) {
    using Clock = std::chrono::steady_clock;
    const int size = static_cast<int>(state.range(0));
    CitiesCatalog& cities = CitiesCatalog::Get();
    const LONG statePk = cities.StatePk(size);
    Seconds measuredTotal{0};
    Seconds floorTotal{0};
    for (auto _ : state) {
        const Seconds measured = expandOnce(size);
        const auto floorStart = Clock::now();
        benchmark::DoNotOptimize(cities.ReadCitiesRaw(statePk));
        floorTotal += Clock::now() - floorStart;
        measuredTotal += measured;
        state.SetIterationTime(measured.count());
    }
    if (state.iterations() == 0 || floorTotal.count() <= 0) return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorTotal.count() * 1000.0 / iterations;
    state.counters["ratio_vs_floor"] = measuredTotal.count() / floorTotal.count();
    state.counters["us_per_city"] = measuredTotal.count() * 1e6 / iterations / size;
    state.SetItemsProcessed(state.iterations() * size);
}

void ExpansionSizes(benchmark::internal::Benchmark* benchmark) {
    for (const int size : kStateSizes) benchmark->Arg(size);
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond);
}

MundorClient& BoundMundorFx() {
    static ScratchDir registryDir;
    static MundorClient fx = [] {
        rt::SetRegistryPath((registryDir / "registry.ini").string());
        rt::ThrowIfFailed(DllRegisterServer());
        rt::ThrowIfFailed(nubex::RegisterInProcess());
        MundorClient client = MundorClient::Create();
        client.SetDataObjects(CitiesCatalog::Get().catalog());
        return client;
    }();
    return fx;
}

}  // namespace mundor::bench
