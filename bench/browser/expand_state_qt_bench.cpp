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
#include "ui/qt/qt_toolkit.h"

namespace {

namespace bench = mundor::bench;
using Clock = std::chrono::steady_clock;

QTreeWidgetItem* ItemWithText(QTreeWidget& tree, const QString& text) {
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

void ClickBranchSign(QTreeWidget& tree, QTreeWidgetItem& item) {
    const QRect row = tree.visualItemRect(&item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      {row.left() - tree.indentation() / 2, row.center().y()});
}

// Runs `step` on the browser once it is the modal window in front.
void WhenBrowserShows(std::function<void(QWidget&)> step) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, step = std::move(step)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        step(*modal);
    });
    poll->start();
}

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

BENCHMARK(BM_ExpandStateQt)
    ->Arg(bench::kStateSizes[0])
    ->Arg(bench::kStateSizes[1])
    ->Arg(bench::kStateSizes[2])
    ->Arg(bench::kStateSizes[3])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

// The program's one QApplication lives in main, on the offscreen platform unless the environment
// names one: Qt must be gone before the program's exit handlers run.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
