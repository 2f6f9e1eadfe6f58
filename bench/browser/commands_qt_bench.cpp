// Adding, renaming and removing one city in the geography browser on real Qt widgets (offscreen),
// under a loaded state of many cities beside the same under a state of 10 cities
// (command_cycle.h). A host with a QApplication and the Qt toolkit opens the browser with
// ExplorerCountry over CitiesCatalog; once it shows, clicks open the country and both states, and
// the benchmark loop runs. Every time ends once the tree shows the change: the view's pending
// layout done and the events handled. Under the big state the state is open, as the user has
// it; under the floor's state it is closed, so that the floor has no long list on screen.
//   BM_CommandQt: the whole command, as the user gives it, with the dialog or the confirmation
//     answered as soon as it shows.
//   BM_TreeQt: the tree widget's own part, an item added, its text set and the item deleted, at
//     several sizes: its cost per row shows how it grows with what is on screen.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include "cities_catalog.h"
#include "command_cycle.h"
#include "contracts/ui/toolkit.h"
#include "expansion_beside_floor.h"
#include "qt_browser_steps.h"
#include "support/qt_benchmarks.h"
#include "ui/qt/qt_toolkit.h"

namespace {

namespace bench = mundor::bench;
using bench::Operation;
using bench::Timed;

QString StateText(int size) {
    return QString::fromStdU16String(bench::CitiesCatalog::StateName(size));
}

// The two states of a cycle on the browser's tree widget. It counts the rows the widget's model
// gains and loses, so that each operation can be held to its one row: a tree read again would
// lose and gain them all.
class QtStates {
  public:
    QtStates(QWidget& browser, int size)
        : browser_(browser),
          tree_(*browser.findChild<QTreeWidget*>(QStringLiteral("tvwPaises"))),
          states_{bench::ItemWithText(tree_, StateText(size)),
                  bench::ItemWithText(tree_, StateText(bench::kFloorSize))} {
        QAbstractItemModel* model = tree_.model();
        QObject::connect(
            model, &QAbstractItemModel::rowsInserted, &tree_,
            [this](const QModelIndex&, int first, int last) { inserted_ += last - first + 1; });
        QObject::connect(
            model, &QAbstractItemModel::rowsRemoved, &tree_,
            [this](const QModelIndex&, int first, int last) { removed_ += last - first + 1; });
    }

    QTreeWidgetItem& State(bool big) const { return *states_[big ? 0 : 1]; }
    QTreeWidgetItem& Added(bool big) const {
        return *State(big).child(State(big).childCount() - 1);
    }
    QTreeWidget& tree() const { return tree_; }
    QAbstractButton& Button(const char* name) const {
        return *browser_.findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    // The big state open for its own operations and closed for the floor's.
    void Prepare(bool big) {
        State(true).setExpanded(big);
        State(false).setExpanded(true);
        ShowNow(State(false));
    }
    // What a paint does first: the view's pending layout; then the events the change left.
    void ShowNow(QTreeWidgetItem& item) const {
        static_cast<void>(tree_.visualItemRect(&item));
        QCoreApplication::processEvents();
    }
    void Counted() { inserted_ = removed_ = 0; }
    void Check(Operation operation) const {
        const int inserted = operation == Operation::Add ? 1 : 0;
        const int removed = operation == Operation::Remove ? 1 : 0;
        if (inserted_ != inserted || removed_ != removed) {
            throw bench::TreeChangedWrongly("the tree widget gained " + std::to_string(inserted_) +
                                            " rows and lost " + std::to_string(removed_));
        }
    }

  private:
    QWidget& browser_;
    QTreeWidget& tree_;
    QTreeWidgetItem* states_[2];
    int inserted_ = 0;
    int removed_ = 0;
};

void SetField(QWidget& dialog, const char* field, const QString& text) {
    auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(field));
    if (auto* edit = control ? control->findChild<QLineEdit*>() : nullptr) edit->setText(text);
}

void Press(QWidget& window, const QString& caption) {
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        if (button->text() == caption) return button->click();
    }
}

// The commands as the user gives them: the node selected, the button pressed, the dialog filled
// in and saved or the confirmation answered Yes.
class QtCommands final : public bench::BrowserHands {
  public:
    QtCommands(QWidget& browser, int size) : states_(browser, size) {}

    void Prepare(bool big) override { states_.Prepare(big); }

    bench::Seconds Do(Operation operation, bool big) override {
        QTreeWidgetItem& state = states_.State(big);
        QTreeWidget& tree = states_.tree();
        const char* button = "cmdAction(2)";
        if (operation == Operation::Add) {
            tree.setCurrentItem(&state);
            bench::AnswerNextModalAtOnce([](QWidget& dialog) {
                SetField(dialog, "ctrlCodigo", QStringLiteral("ZZBENCH"));
                SetField(dialog, "ctrlCodigoTel", QStringLiteral("99"));
                SetField(dialog, "ctrlNombre", QStringLiteral("Zz nueva"));
                Press(dialog, QStringLiteral("&Aceptar"));
            });
        } else {
            tree.setCurrentItem(&states_.Added(big));
            const bool rename = operation == Operation::Rename;
            button = rename ? "cmdEdit" : "cmdDel";
            bench::AnswerNextModalAtOnce([rename](QWidget& modal) {
                if (!rename) return Press(modal, QString::fromUtf16(u"&Sí"));
                SetField(modal, "ctrlNombre", QStringLiteral("Zz cambiada"));
                Press(modal, QStringLiteral("&Aceptar"));
            });
        }
        states_.ShowNow(state);
        states_.Counted();
        const bench::Seconds took = Timed([&] {
            states_.Button(button).click();
            states_.ShowNow(operation == Operation::Remove ? state : states_.Added(big));
        });
        states_.Check(operation);
        return took;
    }

  private:
    QtStates states_;
};

// The same changes made on the tree widget's items directly.
class QtTreeChanges final : public bench::BrowserHands {
  public:
    QtTreeChanges(QWidget& browser, int size) : states_(browser, size) {}

    void Prepare(bool big) override { states_.Prepare(big); }

    bench::Seconds Do(Operation operation, bool big) override {
        QTreeWidgetItem& state = states_.State(big);
        states_.Counted();
        bench::Seconds took{0};
        switch (operation) {
            case Operation::Add:
                took = Timed([&] {
                    auto* item = new QTreeWidgetItem(QStringList{QStringLiteral("Zz nueva")});
                    state.addChild(item);
                    states_.ShowNow(*item);
                });
                break;
            case Operation::Rename:
                took = Timed([&] {
                    states_.Added(big).setText(0, QStringLiteral("Zz cambiada"));
                    states_.ShowNow(states_.Added(big));
                });
                break;
            case Operation::Remove:
                took = Timed([&] {
                    delete &states_.Added(big);
                    states_.ShowNow(state);
                });
                break;
        }
        states_.Check(operation);
        return took;
    }

  private:
    QtStates states_;
};

// Opens the browser, then the country and both states with clicks, and runs `measure` on it.
template <class Measure>
void InTheBrowser(int size, Measure&& measure) {
    mundor::ui::qt::QtToolkit toolkit;
    mundor::ui::ScopedThreadToolkit installed(toolkit);
    bench::CitiesCatalog::Get().StatePk(size);
    bench::CitiesCatalog::Get().StatePk(bench::kFloorSize);
    bench::WhenBrowserShows([&](QWidget& browser) {
        auto& tree = *browser.findChild<QTreeWidget*>(QStringLiteral("tvwPaises"));
        for (const QString& text :
             {QStringLiteral("(99) Generado"), StateText(size), StateText(bench::kFloorSize)}) {
            QTreeWidgetItem* item = bench::ItemWithText(tree, text);
            tree.scrollToItem(item);
            bench::ClickBranchSign(tree, *item);
        }
        measure(browser);
        browser.findChild<QAbstractButton*>(QStringLiteral("cmdCerrar"))->click();
    });
    bench::BoundMundorFx().ExplorerCountry();
}

void BM_CommandQt(benchmark::State& state, Operation operation) {
    const int size = static_cast<int>(state.range(0));
    InTheBrowser(size, [&](QWidget& browser) {
        QtCommands hands(browser, size);
        bench::RunCycles(state, operation, hands);
    });
}

void BM_TreeQt(benchmark::State& state, Operation operation) {
    const int size = static_cast<int>(state.range(0));
    InTheBrowser(size, [&](QWidget& browser) {
        QtTreeChanges hands(browser, size);
        bench::RunCycles(state, operation, hands);
    });
}

BENCHMARK_CAPTURE(BM_CommandQt, Add, Operation::Add)->Apply(bench::CommandSizes);
BENCHMARK_CAPTURE(BM_CommandQt, Rename, Operation::Rename)->Apply(bench::CommandSizes);
BENCHMARK_CAPTURE(BM_CommandQt, Remove, Operation::Remove)->Apply(bench::CommandSizes);
BENCHMARK_CAPTURE(BM_TreeQt, Add, Operation::Add)->Apply(bench::TreeSizes);
BENCHMARK_CAPTURE(BM_TreeQt, Rename, Operation::Rename)->Apply(bench::TreeSizes);
BENCHMARK_CAPTURE(BM_TreeQt, Remove, Operation::Remove)->Apply(bench::TreeSizes);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunQtBenchmarks(argc, argv);
}
