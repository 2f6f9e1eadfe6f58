// What expanding a state costs apart from reading its rows, beside the same floor as the
// expansion (the raw read of the state's cities). Any expansion pays the floor and then at least
// one of these on top, so 1 + their ratio is the least ratio an expansion can show:
// - LeastKeyedTree: the least a tree whose keys are unique in the whole tree can do with the
//   rows: one node per city holding its key ("CTY" + Sys_GUID) and its text, indexed by key in a
//   hash table sized once, in row order under its parent. No toolkit, no data objects, no calls
//   by name.
// - SharedTreeBase: the toolkits' own node bookkeeping (contracts/ui) adding the same nodes in
//   one AddChildren, as the browser does, without a window.
// The rows are read once beforehand; the nodes are freed untimed, as a window frees them on
// closing.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "browser/node_scheme.h"
#include "cities_catalog.h"
#include "contracts/ui/tree_base.h"
#include "support/beside_floor.h"

namespace {

namespace bench = mundor::bench;
namespace ui = mundor::ui;
using Rows = std::vector<bench::CitiesCatalog::CityRow>;

// The browser's key for a city ("CTY" + Sys_GUID), made in one allocation.
std::u16string CityKey(const bench::CitiesCatalog::CityRow& row) {
    using mundor::browser::kCityPrefix;
    std::u16string key;
    key.reserve(kCityPrefix.size() + row.guid.size());
    return key.append(kCityPrefix).append(row.guid);
}

struct LeastNode {
    std::u16string key;
    std::u16string text;
};

struct LeastKeyedTree {
    std::vector<std::unique_ptr<LeastNode>> children;
    std::unordered_map<std::u16string_view, LeastNode*> byKey;

    void AddAll(const Rows& rows) {
        children.reserve(rows.size());
        byKey.reserve(rows.size());
        for (const auto& row : rows) {
            auto& node = children.emplace_back(new LeastNode{CityKey(row), row.nombre});
            if (!byKey.emplace(node->key, node.get()).second) std::abort();
        }
    }
};

class PlainNode final : public ui::TreeNodeBase {
  public:
    using TreeNodeBase::TreeNodeBase;
    bool Expanded() const override { return false; }
};

class PlainNodes final : public ui::TreeNodesBase {
    std::shared_ptr<ui::TreeNodeBase> MakeNode(std::u16string key, std::u16string text) override {
        return std::make_shared<PlainNode>(std::move(key), std::move(text));
    }
    void Unshow(ui::TreeNodeBase&) override {}
    void UnshowAll() override {}
};

// Runs `addAll(rows)` on a fresh `Tree` beside the floor, for the state of state.range(0) cities.
template <class Tree, class AddAll>
void RunBesideExpansionFloor(benchmark::State& state, AddAll&& addAll) {
    bench::CitiesCatalog& cities = bench::CitiesCatalog::Get();
    const LONG statePk = cities.StatePk(static_cast<int>(state.range(0)));
    const Rows rows = cities.ReadCityRows(statePk);
    std::optional<Tree> tree;
    bench::RunBesideFloor(
        state, [&] { tree.emplace(); }, [&] { addAll(*tree, rows); },
        [&] { benchmark::DoNotOptimize(cities.ReadCitiesRaw(statePk)); });
}

void BM_LeastKeyedTree(benchmark::State& state) {
    RunBesideExpansionFloor<LeastKeyedTree>(
        state, [](LeastKeyedTree& tree, const Rows& rows) { tree.AddAll(rows); });
}

void BM_SharedTreeBase(benchmark::State& state) {
    RunBesideExpansionFloor<PlainNodes>(state, [](PlainNodes& nodes, const Rows& rows) {
        const ui::NodeRef parent = nodes.Add(nullptr, ui::tvwChild, u"EDO", u"Estado");
        std::vector<ui::TreeNodes::NewNode> made;
        made.reserve(rows.size());
        for (const auto& row : rows) made.push_back({CityKey(row), row.nombre});
        nodes.AddChildren(parent, std::move(made));
    });
}

void LeastWorkSizes(benchmark::internal::Benchmark* benchmark) {
    for (const int size : {1'000, 10'000, 100'000}) benchmark->Arg(size);
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LeastKeyedTree)->Apply(LeastWorkSizes);
BENCHMARK(BM_SharedTreeBase)->Apply(LeastWorkSizes);

}  // namespace
