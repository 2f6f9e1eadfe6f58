// Adding, renaming and removing one city in the geography browser on the headless toolkit, under
// a loaded state of many cities beside the same under a state of 10 cities (command_cycle.h).
// A host opens the browser with ExplorerCountry over CitiesCatalog; the scripted user opens the
// country and both states, then a scripted step runs the benchmark loop, acting as the user as
// it goes (ui::headless::ActNow).
//   BM_CommandHeadless: the whole command, as the user gives it: the selection, the button, the
//     dialog or the confirmation answered, the record stored or deleted, the tree updated.
//   BM_TreeHeadless: the tree's own part of it, Nodes.Add, a node's Text and Nodes.Remove on the
//     browser's tree, at several sizes: its cost per node shows how it grows with the siblings.
#include <benchmark/benchmark.h>

#include <string>

#include "cities_catalog.h"
#include "command_cycle.h"
#include "contracts/ui/message_box.h"
#include "contracts/ui/toolkit.h"
#include "expansion_beside_floor.h"
#include "ui/headless/headless_toolkit.h"

namespace {

namespace bench = mundor::bench;
namespace ui = mundor::ui;
namespace headless = mundor::ui::headless;
using bench::Operation;
using bench::Timed;

constexpr char16_t kTree[] = u"tvwPaises";

// The two states of a cycle in the browser's tree, and the city added last under each.
class HeadlessStates {
  public:
    HeadlessStates(ui::Window& window, int size)
        : nodes_(window.Get<ui::Tree>(kTree).Nodes()),
          keys_{bench::CitiesCatalog::Get().StateKey(size),
                bench::CitiesCatalog::Get().StateKey(bench::kFloorSize)},
          // A city loaded with the big state: a tree read again would lose it.
          sentinel_(nodes_.Item(keys_[0])->Child()) {}

    const std::u16string& StateKey(bool big) const { return keys_[big ? 0 : 1]; }
    ui::NodeRef State(bool big) const { return nodes_.Item(StateKey(big)); }
    ui::TreeNodes& nodes() { return nodes_; }
    ui::NodeRef& added(bool big) { return added_[big ? 0 : 1]; }

    // After an operation: the tree holds `expected` nodes, and nothing was read again.
    void Check(LONG expected, const char* operation) const {
        if (nodes_.Count() != expected || sentinel_->Text().empty()) {
            throw bench::TreeChangedWrongly(std::string(operation) + " changed the tree wrongly");
        }
    }

  private:
    ui::TreeNodes& nodes_;
    std::u16string keys_[2];
    ui::NodeRef sentinel_;
    ui::NodeRef added_[2];
};

// The commands as the user gives them.
class HeadlessCommands final : public bench::BrowserHands {
  public:
    HeadlessCommands(headless::ScriptedUser& user, ui::Window& window, int size)
        : user_(user), window_(window), states_(window, size) {}

    bench::Seconds Do(Operation operation, bool big) override {
        const LONG before = states_.nodes().Count();
        headless::ShowScript script;
        switch (operation) {
            case Operation::Add:
                user_.OnShow(u"dlgCiudad")
                    .Type(u"ctrlCodigo", u"ZZBENCH")
                    .Type(u"ctrlCodigoTel", u"99")
                    .Type(u"ctrlNombre", u"Zz nueva")
                    .Click(u"cmdAceptar");
                script.SelectNode(kTree, states_.StateKey(big)).Click(u"cmdAction", 2);
                break;
            case Operation::Rename:
                user_.OnShow(u"dlgCiudad").Type(u"ctrlNombre", u"Zz cambiada").Click(u"cmdAceptar");
                script.SelectNode(kTree, states_.added(big)->Key()).Click(u"cmdEdit");
                break;
            case Operation::Remove:
                user_.AnswerMessageBox(ui::vbYes);
                script.SelectNode(kTree, states_.added(big)->Key()).Click(u"cmdDel");
                break;
        }
        const bench::Seconds took = Timed([&] { headless::ActNow(window_, script); });
        const LONG change = operation == Operation::Add      ? 1
                            : operation == Operation::Remove ? -1
                                                             : 0;
        states_.Check(before + change, "a command");
        // A new node is the last in the collection's order.
        if (operation == Operation::Add) states_.added(big) = states_.nodes().Item(before + 1);
        return took;
    }

  private:
    headless::ScriptedUser& user_;
    ui::Window& window_;
    HeadlessStates states_;
};

// The same changes made on the browser's tree directly.
class HeadlessTreeChanges final : public bench::BrowserHands {
  public:
    HeadlessTreeChanges(ui::Window& window, int size) : states_(window, size) {}

    bench::Seconds Do(Operation operation, bool big) override {
        ui::TreeNodes& nodes = states_.nodes();
        const LONG before = nodes.Count();
        ui::NodeRef& added = states_.added(big);
        bench::Seconds took{0};
        switch (operation) {
            case Operation::Add: {
                const ui::NodeRef state = states_.State(big);
                took =
                    Timed([&] { added = nodes.Add(state, ui::tvwChild, u"CTYZZ", u"Zz nueva"); });
                break;
            }
            case Operation::Rename:
                took = Timed([&] { added->SetText(u"Zz cambiada"); });
                break;
            case Operation::Remove:
                took = Timed([&] { nodes.Remove(added->Index()); });
                break;
        }
        const LONG change = operation == Operation::Add      ? 1
                            : operation == Operation::Remove ? -1
                                                             : 0;
        states_.Check(before + change, "a tree change");
        return took;
    }

  private:
    HeadlessStates states_;
};

// Opens the browser with the country and both states open, and runs `measure` in it.
template <class Measure>
void InTheBrowser(int size, Measure&& measure) {
    headless::HeadlessToolkit toolkit;
    ui::ScopedThreadToolkit installed(toolkit);
    bench::CitiesCatalog& cities = bench::CitiesCatalog::Get();
    toolkit.user()
        .OnShow(u"brwPaises")
        .ExpandNode(kTree, bench::kCountryKey)
        .ExpandNode(kTree, cities.StateKey(size))
        .ExpandNode(kTree, cities.StateKey(bench::kFloorSize))
        .Run(u"measure", [&](ui::Window& window) { measure(toolkit.user(), window); })
        .Click(u"cmdCerrar");
    bench::BoundMundorFx().ExplorerCountry();
}

void BM_CommandHeadless(benchmark::State& state, Operation operation) {
    const int size = static_cast<int>(state.range(0));
    InTheBrowser(size, [&](headless::ScriptedUser& user, ui::Window& window) {
        HeadlessCommands hands(user, window, size);
        bench::RunCycles(state, operation, hands);
    });
}

void BM_TreeHeadless(benchmark::State& state, Operation operation) {
    const int size = static_cast<int>(state.range(0));
    InTheBrowser(size, [&](headless::ScriptedUser&, ui::Window& window) {
        HeadlessTreeChanges hands(window, size);
        bench::RunCycles(state, operation, hands);
    });
}

BENCHMARK_CAPTURE(BM_CommandHeadless, Add, Operation::Add)->Apply(bench::CommandSizes);
BENCHMARK_CAPTURE(BM_CommandHeadless, Rename, Operation::Rename)->Apply(bench::CommandSizes);
BENCHMARK_CAPTURE(BM_CommandHeadless, Remove, Operation::Remove)->Apply(bench::CommandSizes);
BENCHMARK_CAPTURE(BM_TreeHeadless, Add, Operation::Add)->Apply(bench::TreeSizes);
BENCHMARK_CAPTURE(BM_TreeHeadless, Rename, Operation::Rename)->Apply(bench::TreeSizes);
BENCHMARK_CAPTURE(BM_TreeHeadless, Remove, Operation::Remove)->Apply(bench::TreeSizes);

}  // namespace
