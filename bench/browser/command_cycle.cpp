#include "command_cycle.h"

#include "cities_catalog.h"

namespace mundor::bench {

void RunCycles(benchmark::State& state, Operation measured, BrowserHands& hands) {
    Seconds measuredTotal{0};
    Seconds floorTotal{0};
    try {
        for (auto _ : state) {
            Seconds taken[2]{};
            for (const bool big : {true, false}) {
                hands.Prepare(big);
                for (const Operation operation :
                     {Operation::Add, Operation::Rename, Operation::Remove}) {
                    const Seconds took = hands.Do(operation, big);
                    if (operation == measured) taken[big ? 0 : 1] = took;
                }
            }
            measuredTotal += taken[0];
            floorTotal += taken[1];
            state.SetIterationTime(taken[0].count());
        }
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    if (state.iterations() == 0 || floorTotal.count() <= 0) return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorTotal.count() * 1000.0 / iterations;
    state.counters["ratio_vs_floor"] = measuredTotal.count() / floorTotal.count();
}

void CommandSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(kStateSizes.front())->Arg(kStateSizes.back());
    benchmark->UseManualTime()->Unit(benchmark::kMicrosecond);
}

void TreeSizes(benchmark::internal::Benchmark* benchmark) {
    for (const int size : kStateSizes) benchmark->Arg(size);
    benchmark->UseManualTime()->Unit(benchmark::kMicrosecond);
}

}  // namespace mundor::bench
