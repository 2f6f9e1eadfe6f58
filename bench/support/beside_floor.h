// Measures an operation beside its floor, the least any code could spend on the same work,
// alternating the two in every iteration so that both see the same machine. The benchmark's own
// time is the measured operation's; the counters add the floor's time per iteration and
// "ratio_vs_floor" (measured / floor: 1.0 is as fast as the floor).
//
// Register the benchmark with ->UseManualTime(). `setUp` runs untimed before each of the two,
// for work that both sides need redone (a fresh database, say).
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

namespace mundor::bench {

template <class SetUp, class Measured, class Floor>
void RunBesideFloor(benchmark::State& state, SetUp&& setUp, Measured&& measured, Floor&& floor) {
    using Clock = std::chrono::steady_clock;
    const auto timed = [](auto&& work) {
        const auto start = Clock::now();
        work();
        return std::chrono::duration<double>(Clock::now() - start);
    };
    std::chrono::duration<double> measuredTotal{0};
    std::chrono::duration<double> floorTotal{0};
    for (auto _ : state) {
        setUp();
        const auto measuredTime = timed(measured);
        setUp();
        floorTotal += timed(floor);
        measuredTotal += measuredTime;
        state.SetIterationTime(measuredTime.count());
    }
    if (state.iterations() == 0 || floorTotal.count() <= 0) return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorTotal.count() * 1000.0 / iterations;
    state.counters["ratio_vs_floor"] = measuredTotal.count() / floorTotal.count();
}

template <class Measured, class Floor>
void RunBesideFloor(benchmark::State& state, Measured&& measured, Floor&& floor) {
    RunBesideFloor(
        state, [] {}, measured, floor);
}

}  // namespace mundor::bench
