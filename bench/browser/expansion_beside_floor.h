// The loop of the browser benchmarks: each iteration opens a browser session that reports how
// long the expansion of one state took, then reads the same cities raw as the floor. Counters:
// "floor_ms" and "ratio_vs_floor" (expansion / floor) as everywhere in bench/, and "us_per_city",
// which stays level across state sizes when the expansion grows in proportion to the cities.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "cities_catalog.h"
#include "facade/mundor_client.h"

namespace mundor::bench {

using Seconds = std::chrono::duration<double>;
// One browser session over CitiesCatalog that expands the country, then times the expansion of
// the state of `size` cities, then closes the browser.
using ExpandOnce = std::function<Seconds(int size)>;

void RunExpansionBesideFloor(benchmark::State& state, const ExpandOnce& expandOnce);

// Registers the expansion of a state of every size in kStateSizes.
void ExpansionSizes(benchmark::internal::Benchmark* benchmark);

// A MundorFx registered in a registry file of the program's own, bound to CitiesCatalog.
MundorClient& BoundMundorFx();

}  // namespace mundor::bench
