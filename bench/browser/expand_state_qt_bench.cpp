// Expanding a state of many cities in the geography browser on real Qt widgets (offscreen): a
// host with a QApplication and the Qt toolkit opens the browser with ExplorerCountry; once it
// shows, a click on the country's branch sign opens the country, and the click that opens the
// state is timed, the tree's opening of all its rows included. The floor reads the same cities
// with a raw SQLite statement.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "cities_catalog.h"
#include "contracts/ui/toolkit.h"
#include "expansion_beside_floor.h"
#include "qt_browser_steps.h"
#include "support/qt_benchmarks.h"
#include "ui/qt/qt_toolkit.h"

namespace {

namespace bench = mundor::bench;
using bench::ClickBranchSign;
using bench::ItemWithText;
using bench::WhenBrowserShows;
using Clock = std::chrono::steady_clock;

bench::Seconds ExpandOnQt(int size) {
    bench::Seconds expansion{0};
    WhenBrowserShows([&](QWidget& browser) {
        auto* tree = browser.findChild<QTreeWidget*>(QStringLiteral("tvwPaises"));
        QTreeWidgetItem* country =
            tree ? ItemWithText(*tree, QStringLiteral("(99) Generado")) : nullptr;
        if (country) ClickBranchSign(*tree, *country);
        const QString stateName = QString::fromStdU16String(bench::CitiesCatalog::StateName(size));
        if (QTreeWidgetItem* state = tree ? ItemWithText(*tree, stateName) : nullptr) {
            const auto start = Clock::now();
            ClickBranchSign(*tree, *state);
            expansion = Clock::now() - start;
            if (!state->isExpanded() || state->childCount() != size) {
                qFatal("the state did not open with its %d cities", size);
            }
        }
        if (auto* close = browser.findChild<QAbstractButton*>(QStringLiteral("cmdCerrar"))) {
            close->click();
        }
    });
    bench::BoundMundorFx().ExplorerCountry();
    return expansion;
}

void BM_ExpandStateQt(benchmark::State& state) {
    mundor::ui::qt::QtToolkit toolkit;
    mundor::ui::ScopedThreadToolkit installed(toolkit);
    bench::RunExpansionBesideFloor(state, &ExpandOnQt);
}

BENCHMARK(BM_ExpandStateQt)->Apply(bench::ExpansionSizes);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunQtBenchmarks(argc, argv);
}
