// The loop of the browser's command benchmarks. Every iteration adds a city under the state of
// many cities, renames it and removes it, then does the same under a state of kFloorSize cities
// in the same browser: the floor. The benchmark's time is that of one of the three operations
// under the big state; the counters add the floor's time of the same operation ("floor_ms") and
// "ratio_vs_floor" (big / floor), as everywhere in bench/. An operation that finds the tree
// read again, or changed by more than its one node, ends the benchmark with an error.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

namespace mundor::bench {

using Seconds = std::chrono::duration<double>;

enum class Operation { Add, Rename, Remove };

inline constexpr int kFloorSize = 10;

// One toolkit's way of doing an operation in the open browser.
class BrowserHands {
  public:
    virtual ~BrowserHands() = default;
    // Before the operations under one state: the big one (true) or the floor's.
    virtual void Prepare(bool big) { static_cast<void>(big); }
    // Does it under that state (an add) or on the city added there last; answers how long it
    // took, the tree's update on screen included. Raises std::runtime_error when the tree did
    // not change as it should.
    virtual Seconds Do(Operation operation, bool big) = 0;
};

// Raised by the hands when the tree did not change by exactly the operation's one node.
class TreeChangedWrongly : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

void RunCycles(benchmark::State& state, Operation measured, BrowserHands& hands);

template <class Work>
Seconds Timed(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::steady_clock::now() - start;
}

// The sizes of the big state: the whole commands at the smallest and the largest, the tree's own
// part at every size, so that its cost per node shows how it grows.
void CommandSizes(benchmark::internal::Benchmark* benchmark);
void TreeSizes(benchmark::internal::Benchmark* benchmark);

}  // namespace mundor::bench
