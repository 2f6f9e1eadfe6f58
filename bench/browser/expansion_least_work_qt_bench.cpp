// What showing a state's cities in a QTreeWidget costs on its own, beside the same floor as the
// expansion (the raw read of the state's cities): one item per city with its name, added under
// the state's item in one insertChildren, the state opened and the tree painted, as the Qt tree
// does after its node bookkeeping. No keys, no data objects, no calls by name: an expansion on the
// Qt tree pays the floor, the node bookkeeping (see expansion_least_work_bench.cpp) and this.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "cities_catalog.h"
#include "support/beside_floor.h"

namespace {

namespace bench = mundor::bench;

void BM_QtTreeWidgetItems(benchmark::State& state) {
    bench::CitiesCatalog& cities = bench::CitiesCatalog::Get();
    const LONG statePk = cities.StatePk(static_cast<int>(state.range(0)));
    const std::vector<bench::CitiesCatalog::CityRow> rows = cities.ReadCityRows(statePk);
    std::unique_ptr<QTreeWidget> tree;
    QTreeWidgetItem* stateItem = nullptr;
    const auto freshTree = [&] {
        tree = std::make_unique<QTreeWidget>();
        tree->setUniformRowHeights(true);
        tree->resize(400, 600);
        stateItem = new QTreeWidgetItem(tree.get(), QStringList{QStringLiteral("Estado")});
        tree->show();
        QApplication::processEvents();
    };
    bench::RunBesideFloor(
        state, freshTree,
        [&] {
            QList<QTreeWidgetItem*> items;
            items.reserve(static_cast<qsizetype>(rows.size()));
            for (const auto& row : rows) {
                items.append(
                    new QTreeWidgetItem(QStringList{QString::fromStdU16String(row.nombre)}));
            }
            stateItem->insertChildren(0, items);
            stateItem->setExpanded(true);
            tree->repaint();
            QApplication::processEvents();
        },
        [&] { benchmark::DoNotOptimize(cities.ReadCitiesRaw(statePk)); });
}

BENCHMARK(BM_QtTreeWidgetItems)
    ->Arg(1'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
