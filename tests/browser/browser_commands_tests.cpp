// The browser's commands end to end: a host opens the browser with ExplorerCountry over a real
// catalog, and the scripted user finds nodes by their texts, presses "Agregar País", "Agregar
// Estado", "Agregar Ciudad", "Modificar" and "Eliminar", and answers the dialogs and boxes they
// open. The tree is looked at while the browser shows, the catalog afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "browser_fixture.h"
#include "contracts/ui/message_box.h"
#include "facade/mundor_client.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "tree_outline.h"

namespace browser_test {
namespace {

namespace rt = mundor::rt;
namespace ui = mundor::ui;
namespace headless = mundor::ui::headless;
using headless::TextPath;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Field;

constexpr char16_t kTree[] = u"tvwPaises";
const TextPath kMexico{u"(52) México"};
const TextPath kPeru{u"(51) Perú"};
const TextPath kColima{u"(52) México", u"Colima"};
const TextPath kJalisco{u"(52) México", u"Jalisco"};
const TextPath kGuadalajara{u"(52) México", u"Jalisco", u"Guadalajara"};

std::string Utf8(std::u16string_view text) {
    return rt::Utf16ToUtf8(text);
}

// The row named so, or an empty row (and a test failure) when there is none.
Named Find(const std::vector<Named>& rows, std::u16string_view nombre) {
    for (const Named& row : rows) {
        if (row.nombre == nombre) return row;
    }
    ADD_FAILURE() << "no row named " << Utf8(nombre);
    return {};
}

auto Named_(std::u16string_view nombre) {
    return Field(&Named::nombre, std::u16string(nombre));
}

// What a scripted step saw of a node: its key, text, number of children and whether it was open.
struct Seen {
    std::u16string key, text;
    LONG children = -1;
    bool expanded = false;
    bool operator==(const Seen&) const = default;
};
void PrintTo(const Seen& seen, std::ostream* out) {
    *out << Utf8(seen.key) << " | " << Utf8(seen.text) << " (" << seen.children
         << (seen.expanded ? ", open)" : ")");
}
Seen SeenOf(const ui::NodeRef& node) {
    if (!node) return {};
    return {node->Key(), node->Text(), node->Children(), node->Expanded()};
}

// Where the user stands when pressing a button: the nodes opened in turn, then the selection.
struct Standing {
    const char* name;
    std::vector<TextPath> open;
    TextPath select;
};
std::string NameOf(const ::testing::TestParamInfo<Standing>& info) {
    return info.param.name;
}

// México, with the states Colima (no cities) and Jalisco (with Guadalajara), and Perú, with
// nothing below it.
class BrowserCommands : public BrowserTest {
  protected:
    BrowserCommands()
        : mexico_(catalog_.AddPais(u"MX", u"México", u"52")),
          jalisco_(catalog_.AddEdoProv(mexico_.pk, u"JAL", u"Jalisco")),
          colima_(catalog_.AddEdoProv(mexico_.pk, u"COL", u"Colima")),
          guadalajara_(catalog_.AddCiudad(jalisco_.pk, u"GDL", u"Guadalajara")),
          peru_(catalog_.AddPais(u"PE", u"Perú", u"51")) {}

    headless::ScriptedUser& user() { return toolkit_.user(); }
    // The user types into the next dialog of that kind and saves it.
    void Saves(std::u16string_view dialog,
               std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> typed) {
        headless::ShowScript& script = user().OnShow(dialog);
        for (const auto& [field, text] : typed) script.Type(field, text);
        script.Click(u"cmdAceptar");
    }

    // The browser with these nodes opened in turn and `select` selected (none: nothing is).
    headless::ShowScript& Browser(const std::vector<TextPath>& open, const TextPath& select = {}) {
        headless::ShowScript& script = OnBrowser();
        for (const TextPath& path : open) script.ExpandPath(kTree, path);
        if (!select.empty()) script.SelectPath(kTree, select);
        return script;
    }
    // A scripted step that notes what the node under `key` (empty: the selected node) shows.
    std::function<void(ui::Window&)> See(Seen& seen, std::u16string key = u"") {
        return [&seen, key](ui::Window& w) {
            auto& tree = w.Get<ui::Tree>(kTree);
            seen = SeenOf(key.empty() ? tree.SelectedItem() : tree.Nodes().Find(key));
        };
    }
    // The facade lets go of the catalog (every read then fails with 91), or takes it back.
    std::function<void(ui::Window&)> Bind(bool bound) {
        return [this, bound](ui::Window&) {
            mundor::MundorClient(fx_.As<mundor::_MundorFx>())
                .SetDataObjects(bound ? catalog_.catalog() : nullptr);
        };
    }
    // The rows stored at the level of the node at `path`: the countries, México's states or
    // Jalisco's cities.
    std::vector<Named> RowsAtLevelOf(const TextPath& path) const {
        if (path.size() == 1) return catalog_.Countries();
        if (path.size() == 2) return catalog_.StatesOf(mexico_.pk);
        return catalog_.CitiesOf(jalisco_.pk);
    }
    std::size_t StoredRecords() const {
        return catalog_.Countries().size() + catalog_.StatesOf(mexico_.pk).size() +
               catalog_.CitiesOf(jalisco_.pk).size() + catalog_.CitiesOf(colima_.pk).size();
    }
    void ExpectEveryStepUsed() {
        EXPECT_TRUE(user().AllUsed()) << Utf8(user().Unused()) << transcript().Text();
    }

    // What the user saw just before and just after pressing: the tree, the selection, and the
    // node under the watched key (none: the selection again).
    struct Pressed {
        std::vector<std::string> before, after;
        Seen selectedBefore, selectedAfter, watchedBefore, watchedAfter;
    };
    // Opens the browser where the user stands, looks, presses, looks again and closes it; every
    // step the test scripted must have been used.
    Pressed Press(const Standing& at, const std::function<void(headless::ShowScript&)>& press,
                  const std::u16string& watch = u"") {
        Pressed seen;
        seen.selectedAfter = seen.selectedBefore = Seen{u"not looked at", u"", 0, false};
        headless::ShowScript& script =
            Browser(at.open, at.select)
                .Run(u"look at the tree", LookAtTree(seen.before))
                .Run(u"see the selection", See(seen.selectedBefore))
                .Run(u"see the watched node", See(seen.watchedBefore, watch));
        press(script);
        script.Run(u"look at the tree", LookAtTree(seen.after))
            .Run(u"see the selection", See(seen.selectedAfter))
            .Run(u"see the watched node", See(seen.watchedAfter, watch))
            .Click(u"cmdCerrar");
        ExplorerCountry();
        ExpectEveryStepUsed();
        return seen;
    }
    static std::function<void(headless::ShowScript&)> Clicks(std::u16string button,
                                                             LONG index = ui::kNoIndex) {
        return [button, index](headless::ShowScript& script) { script.Click(button, index); };
    }

    Stored mexico_, jalisco_, colima_, guadalajara_, peru_;
};

// --- Adds ---

class AddCountry : public BrowserCommands, public ::testing::WithParamInterface<Standing> {};

TEST_P(AddCountry, ComesLastAmongTheRootsWithAPlaceholderAndLeavesTheSelectionAlone) {
    // "Argentina" comes first by name: only an append puts it last.
    Saves(u"dlgPais",
          {{u"ctrlCodigo", u"AR"}, {u"ctrlCodigoTel", u"54"}, {u"ctrlNombre", u"Argentina"}});
    Pressed seen = Press(GetParam(), Clicks(u"cmdAction", 0));

    seen.before.push_back(
        Line(0, Sys(Find(catalog_.Countries(), u"Argentina")), u"(54) Argentina"));
    seen.before.push_back(PlaceholderLine(1));
    EXPECT_EQ(seen.after, seen.before);
    EXPECT_EQ(seen.selectedAfter, seen.selectedBefore);
}

INSTANTIATE_TEST_SUITE_P(Selecting, AddCountry,
                         ::testing::Values(Standing{"Nothing", {}, {}},
                                           Standing{"ACountry", {}, kPeru},
                                           Standing{"ACity", {kMexico, kJalisco}, kGuadalajara}),
                         NameOf);

// An add below the selected node: where the user stands and the button pressed (1 adds a state
// to México, 2 a city to Jalisco).
struct ChildAdd {
    Standing standing;
    LONG button;
};
std::string ChildAddName(const ::testing::TestParamInfo<ChildAdd>& info) {
    return info.param.standing.name;
}

class AddBelow : public BrowserCommands, public ::testing::WithParamInterface<ChildAdd> {
  protected:
    // "Aguascalientes" and "Ameca" come first by name: only an append puts them last.
    bool AddsState() const { return GetParam().button == 1; }
    std::u16string NewName() const { return AddsState() ? u"Aguascalientes" : u"Ameca"; }
    std::u16string ParentKey() const { return AddsState() ? Sys(mexico_) : Edo(jalisco_); }
    std::vector<Named> StoredSiblings() const {
        return AddsState() ? catalog_.StatesOf(mexico_.pk) : catalog_.CitiesOf(jalisco_.pk);
    }
};

TEST_P(AddBelow, GoesLastUnderTheRightParentWithoutOpeningIt) {
    if (AddsState()) Saves(u"dlgEdoProv", {{u"ctrlCodigo", u"AGS"}, {u"ctrlNombre", NewName()}});
    if (!AddsState()) {
        Saves(u"dlgCiudad",
              {{u"ctrlCodigo", u"AME"}, {u"ctrlCodigoTel", u"33"}, {u"ctrlNombre", NewName()}});
    }
    const Pressed seen =
        Press(GetParam().standing, Clicks(u"cmdAction", GetParam().button), ParentKey());

    // The new node goes last below its parent. A parent never opened loses its placeholder and
    // shows the new node alone: it now counts as loaded, and what storage has below it stays
    // unread. A new node has no placeholder: nothing is below it yet.
    const int depth = AddsState() ? 1 : 2;
    std::vector<std::string> expected = seen.before;
    auto parent = std::find_if(expected.begin(), expected.end(), [&](const std::string& line) {
        return line.find(Utf8(ParentKey()) + " |") != std::string::npos;
    });
    ASSERT_NE(parent, expected.end());
    auto end = std::find_if(parent + 1, expected.end(), [&](const std::string& line) {
        return !line.starts_with(std::string(2 * depth, ' '));
    });
    if (end == parent + 2 && parent[1] == PlaceholderLine(depth)) end = expected.erase(parent + 1);
    const std::u16string key =
        (AddsState() ? u"EDO" : u"CTY") + Find(StoredSiblings(), NewName()).guid;
    expected.insert(end, Line(depth, key, NewName()));
    EXPECT_EQ(seen.after, expected);
    EXPECT_EQ(seen.watchedAfter.expanded, seen.watchedBefore.expanded);
    EXPECT_EQ(seen.selectedAfter.key, seen.selectedBefore.key);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AddBelow,
    ::testing::Values(ChildAdd{{"StateToACountryNeverOpened", {}, kMexico}, 1},
                      ChildAdd{{"StateToAnOpenCountry", {kMexico}, kMexico}, 1},
                      ChildAdd{{"StateBesideASelectedState", {kMexico}, kJalisco}, 1},
                      ChildAdd{{"CityToAStateNeverOpened", {kMexico}, kJalisco}, 2},
                      ChildAdd{{"CityToAnOpenState", {kMexico, kJalisco}, kJalisco}, 2},
                      ChildAdd{{"CityBesideASelectedCity", {kMexico, kJalisco}, kGuadalajara}, 2}),
    ChildAddName);

// --- What leaves the tree and the catalog as they were ---

const std::u16string kConfirm = u"¿Seguro desea eliminar este elemento?";

// A command refused or turned down: the press, what the user does in the dialog or boxes it
// opens, and the boxes expected. With no user steps the command must refuse before it reads
// anything: the catalog is let go of before the press, no dialog opens, and its one box has the
// given style and title (an add's takes the pressed button's caption).
struct TurnedDown {
    Standing standing;
    std::u16string button;
    LONG index;
    std::function<void(headless::ScriptedUser&)> user;
    std::vector<std::u16string> boxes;
    LONG style = ui::vbInformation;
    std::u16string title = u"Mundor";
};
std::string TurnedDownName(const ::testing::TestParamInfo<TurnedDown>& info) {
    return info.param.standing.name;
}

void CancelsThe(headless::ScriptedUser& user, std::u16string_view dialog) {
    user.OnShow(dialog).Click(u"cmdCancelar");
}

class TurnedDownCommand : public BrowserCommands,
                          public ::testing::WithParamInterface<TurnedDown> {};

TEST_P(TurnedDownCommand, LeavesTheTreeAndTheCatalogAsTheyWere) {
    const TurnedDown& command = GetParam();
    const bool refusedUnread = !command.user;
    if (refusedUnread) user().AnswerMessageBox(ui::vbOK, command.boxes.front());
    if (!refusedUnread) command.user(user());
    const std::vector<Named> countries = catalog_.Countries();
    const std::vector<Named> states = catalog_.StatesOf(mexico_.pk);
    const std::vector<Named> cities = catalog_.CitiesOf(jalisco_.pk);
    std::vector<std::string> before, after;
    headless::ShowScript& script = Browser(command.standing.open, command.standing.select)
                                       .Run(u"look at the tree", LookAtTree(before));
    if (refusedUnread) script.Run(u"the facade lets go of the catalog", Bind(false));
    script.Click(command.button, command.index)
        .Run(u"look at the tree", LookAtTree(after))
        .Run(u"the facade takes the catalog back", Bind(true))
        .Click(u"cmdCerrar");

    ExplorerCountry();

    EXPECT_EQ(after, before);
    std::vector<std::u16string> prompts;
    for (const auto& box : MessageBoxes()) prompts.push_back(box.prompt);
    EXPECT_EQ(prompts, command.boxes);
    if (refusedUnread && !MessageBoxes().empty()) {
        EXPECT_EQ(MessageBoxes()[0].style, command.style);
        EXPECT_EQ(MessageBoxes()[0].title, command.title);
        EXPECT_EQ(transcript().Only<headless::WindowShown>().size(), 1u) << "a dialog was opened";
    }
    EXPECT_EQ(catalog_.Countries(), countries);
    EXPECT_EQ(catalog_.StatesOf(mexico_.pk), states);
    EXPECT_EQ(catalog_.CitiesOf(jalisco_.pk), cities);
    ExpectEveryStepUsed();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TurnedDownCommand,
    ::testing::Values(
        TurnedDown{{"AddStateWithNothingSelected", {}, {}},
                   u"cmdAction",
                   1,
                   {},
                   {u"Seleccione un estado"},
                   ui::vbInformation,
                   u"Agregar Estado"},
        TurnedDown{{"AddCityWithNothingSelected", {}, {}},
                   u"cmdAction",
                   2,
                   {},
                   {u"Seleccione un estado"},
                   ui::vbInformation,
                   u"Agregar Ciudad"},
        TurnedDown{{"AddStateWithACitySelected", {kMexico, kJalisco}, kGuadalajara},
                   u"cmdAction",
                   1,
                   {},
                   {u"Seleccione el Pais, al que desea agregar un estado"},
                   ui::vbInformation,
                   u"Agregar Estado"},
        TurnedDown{{"AddCityWithACountrySelected", {}, kMexico},
                   u"cmdAction",
                   2,
                   {},
                   {u"Seleccione el Estado, al que desea agregar una ciudad"},
                   ui::vbInformation,
                   u"Agregar Ciudad"},
        TurnedDown{{"ModifyWithNothingSelected", {}, {}},
                   u"cmdEdit",
                   ui::kNoIndex,
                   {},
                   {u"Seleccione el Pais, Estado o Ciudad a modificar"},
                   ui::vbInformation,
                   u"Modificar Pais/Estado/Ciudad"},
        TurnedDown{{"DeleteWithNothingSelected", {}, {}},
                   u"cmdDel",
                   ui::kNoIndex,
                   {},
                   {u"Seleccione el Pais, Estado o Ciudad a eliminar"},
                   ui::vbInformation,
                   u"Eliminar Pais/Estado/Ciudad"},
        // Perú has nothing stored below it, but its placeholder counts: the tree alone decides.
        TurnedDown{{"DeleteOfACountryNeverOpened", {}, kPeru},
                   u"cmdDel",
                   ui::kNoIndex,
                   {},
                   {u"El elemento a eliminar no esta vacio"},
                   ui::vbCritical},
        TurnedDown{{"DeleteOfAStateWithCities", {kMexico, kJalisco}, kJalisco},
                   u"cmdDel",
                   ui::kNoIndex,
                   {},
                   {u"El elemento a eliminar no esta vacio"},
                   ui::vbCritical},
        TurnedDown{{"CancelledCountry", {}, {}},
                   u"cmdAction",
                   0,
                   [](auto& user) { CancelsThe(user, u"dlgPais"); },
                   {}},
        // The country never opened keeps its placeholder: nothing was added under it.
        TurnedDown{{"CancelledStateUnderACountryNeverOpened", {}, kMexico},
                   u"cmdAction",
                   1,
                   [](auto& user) { CancelsThe(user, u"dlgEdoProv"); },
                   {}},
        TurnedDown{{"CancelledCity", {kMexico}, kJalisco},
                   u"cmdAction",
                   2,
                   [](auto& user) { CancelsThe(user, u"dlgCiudad"); },
                   {}},
        TurnedDown{{"CancelledModify", {kMexico, kJalisco}, kGuadalajara},
                   u"cmdEdit",
                   ui::kNoIndex,
                   [](auto& user) { CancelsThe(user, u"dlgCiudad"); },
                   {}},
        // The library refuses the store (a code already taken); the user gives up.
        TurnedDown{{"RefusedStore", {kMexico}, kMexico},
                   u"cmdAction",
                   1,
                   [](auto& user) {
                       user.OnShow(u"dlgEdoProv")
                           .Type(u"ctrlCodigo", u"JAL")
                           .Type(u"ctrlNombre", u"Otro Jalisco")
                           .Click(u"cmdAceptar")
                           .Click(u"cmdCancelar");
                       user.AnswerMessageBox(ui::vbOK);
                   },
                   {u"Ya existe un estado o provincia con ese código en el país."}},
        TurnedDown{{"DeleteAnsweredNo", {kMexico, kJalisco}, kGuadalajara},
                   u"cmdDel",
                   ui::kNoIndex,
                   [](auto& user) { user.AnswerMessageBox(ui::vbNo); },
                   {kConfirm}}),
    TurnedDownName);

// Perú was opened and found empty; meanwhile another user stored a state under it. The tree
// lets the delete through, the library refuses it, and the facade says why.
TEST_F(BrowserCommands, ADeleteTheLibraryRefusesLeavesTheNodeWhereItWas) {
    user().AnswerMessageBox(ui::vbYes).AnswerMessageBox(ui::vbOK);
    std::vector<std::string> before, after;
    Browser({kPeru}, kPeru)
        .Run(u"another user stores a state",
             [&](ui::Window&) { catalog_.AddEdoProv(peru_.pk, u"LIM", u"Lima"); })
        .Run(u"look at the tree", LookAtTree(before))
        .Click(u"cmdDel")
        .Run(u"look at the tree", LookAtTree(after))
        .Click(u"cmdCerrar");

    ExplorerCountry();

    EXPECT_EQ(after, before);
    const auto boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u) << transcript().Text();
    EXPECT_EQ(boxes[1].prompt,
              u"(20020) No se puede eliminar el país: tiene estados o provincias "
              u"registrados. [ThisApp.DelPais]");
    EXPECT_EQ(boxes[1].style, ui::vbCritical);
    EXPECT_THAT(catalog_.Countries(), Contains(Named_(u"Perú")));
}

// --- Modify and delete ---

class Modify : public BrowserCommands, public ::testing::WithParamInterface<Standing> {};

// The dialog gets the parent key the record gives: with any other the library would refuse the
// store or move the record.
TEST_P(Modify, ChangesOnlyTheNodesTextAndKeepsTheRecordUnderItsParent) {
    const Standing& standing = GetParam();
    const TextPath& node = standing.select;
    const bool country = node.size() == 1;
    const std::u16string dialog = country            ? u"dlgPais"
                                  : node.size() == 2 ? u"dlgEdoProv"
                                                     : u"dlgCiudad";
    const std::u16string oldText = node.back();
    const std::u16string newName = country ? u"Estados Unidos Mexicanos" : oldText + u" Nuevo";
    // A country's text shows its area code; the seeded city has none yet, which its dialog asks.
    if (node.size() == 2) Saves(dialog, {{u"ctrlNombre", newName}});
    if (node.size() != 2) {
        Saves(dialog, {{u"ctrlCodigoTel", country ? u"53" : u"33"}, {u"ctrlNombre", newName}});
    }
    Pressed seen = Press(standing, Clicks(u"cmdEdit"));

    const std::u16string newText = country ? u"(53) " + newName : newName;
    const auto changed =
        std::find_if(seen.before.begin(), seen.before.end(),
                     [&](const std::string& line) { return line.ends_with("| " + Utf8(oldText)); });
    ASSERT_NE(changed, seen.before.end());
    *changed = changed->substr(0, changed->size() - Utf8(oldText).size()) + Utf8(newText);
    EXPECT_EQ(seen.after, seen.before);
    EXPECT_EQ(seen.selectedAfter.text, newText);
    EXPECT_THAT(RowsAtLevelOf(node), Contains(Named_(newName)));
}

INSTANTIATE_TEST_SUITE_P(Commands, Modify,
                         ::testing::Values(Standing{"AnOpenCountry", {kMexico, kJalisco}, kMexico},
                                           Standing{"AnOpenState", {kMexico, kJalisco}, kJalisco},
                                           Standing{"ACity", {kMexico, kJalisco}, kGuadalajara}),
                         NameOf);

// Deletes, each confirmed: the nodes removed in turn, then what the tree keeps.
struct Deletion {
    Standing standing;  // with nothing selected: every delete selects its own node
    std::vector<TextPath> deleted;
};
std::string DeletionName(const ::testing::TestParamInfo<Deletion>& info) {
    return info.param.standing.name;
}

class Delete : public BrowserCommands, public ::testing::WithParamInterface<Deletion> {};

TEST_P(Delete, RemovesExactlyTheConfirmedNodesAndTheirRecords) {
    const Deletion& deletion = GetParam();
    const std::size_t stored = StoredRecords();
    Pressed seen = Press(deletion.standing, [&](headless::ShowScript& script) {
        for (const TextPath& path : deletion.deleted) {
            user().AnswerMessageBox(ui::vbYes, kConfirm);
            script.SelectPath(kTree, path).Click(u"cmdDel");
        }
    });
    std::vector<std::string>& before = seen.before;
    for (const TextPath& path : deletion.deleted) {
        const int depth = static_cast<int>(path.size()) - 1;
        const auto gone = std::find_if(before.begin(), before.end(), [&](const std::string& l) {
            return l.starts_with(std::string(2 * depth, ' ')) &&
                   l.ends_with("| " + Utf8(path.back()));
        });
        ASSERT_NE(gone, before.end()) << Utf8(path.back());
        before.erase(gone);
    }
    EXPECT_EQ(seen.after, before);
    EXPECT_EQ(seen.selectedAfter, Seen{}) << "the command selects nothing";
    EXPECT_EQ(StoredRecords(), stored - deletion.deleted.size());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Delete,
    ::testing::Values(Deletion{{"ACity", {kMexico, kJalisco}, {}}, {kGuadalajara}},
                      // Opened and found empty: nothing is left below it in the tree.
                      Deletion{{"AStateFoundEmpty", {kMexico, kColima}, {}}, {kColima}},
                      Deletion{{"ACountryFoundEmpty", {kPeru}, {}}, {kPeru}},
                      Deletion{{"AStateEmptiedInTheBrowser", {kMexico, kJalisco}, {}},
                               {kGuadalajara, kJalisco}}),
    DeletionName);

// --- Errors that escape a command ---

struct Escape {
    Standing standing;
    std::u16string routine;
    std::function<void(headless::ShowScript&)> act;
    std::function<void(headless::ShowScript&)> retry;      // once the catalog is back
    std::function<void(headless::ScriptedUser&)> answers;  // to what the retry opens
};
std::string EscapeName(const ::testing::TestParamInfo<Escape>& info) {
    return info.param.standing.name;
}

class EscapedError : public BrowserCommands, public ::testing::WithParamInterface<Escape> {};

// An error that escapes a command or an expansion is shown in the component's error box with
// the routine's name; the browser stays open, and the same action works once it can.
TEST_P(EscapedError, IsShownWithItsNumberAndTheBrowserStaysUsable) {
    const Escape& escape = GetParam();
    user().AnswerMessageBox(ui::vbOK,
                            u"(91) Variable de objeto o bloque With no establecida "
                            u"[brwPaises." +
                                escape.routine + u"]");
    escape.answers(user());
    std::vector<std::string> failed, before, after;
    headless::ShowScript& script = Browser(escape.standing.open, escape.standing.select)
                                       .Run(u"look at the tree", LookAtTree(before))
                                       .Run(u"the facade lets go of the catalog", Bind(false));
    escape.act(script);
    script.Run(u"look at the tree", LookAtTree(failed))
        .Run(u"the facade takes the catalog back", Bind(true));
    escape.retry(script);
    script.Run(u"look at the tree", LookAtTree(after)).Click(u"cmdCerrar");

    ExplorerCountry();

    const auto boxes = MessageBoxes();
    ASSERT_FALSE(boxes.empty()) << transcript().Text();
    EXPECT_EQ(boxes[0].style, ui::vbCritical);
    EXPECT_EQ(boxes[0].title, u"Mundor");
    EXPECT_EQ(failed, before);
    EXPECT_NE(after, before) << "the retry did nothing";
    ExpectEveryStepUsed();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, EscapedError,
    ::testing::Values(
        // The node opened on its placeholder after the failure; the user closes it and retries.
        Escape{{"Expand", {}, {}},
               u"tvwPaises_Expand",
               [](auto& script) { script.ExpandPath(kTree, kMexico); },
               [](auto& script) { script.CollapsePath(kTree, kMexico).ExpandPath(kTree, kMexico); },
               [](auto&) {}},
        Escape{{"Modify", {kMexico, kJalisco}, kGuadalajara},
               u"EditSelected",
               [](auto& script) { script.Click(u"cmdEdit"); },
               [](auto& script) { script.Click(u"cmdEdit"); },
               [](auto& user) {
                   user.OnShow(u"dlgCiudad")
                       .Type(u"ctrlCodigoTel", u"33")
                       .Type(u"ctrlNombre", u"Tlaquepaque")
                       .Click(u"cmdAceptar");
               }},
        Escape{{"Delete", {kMexico, kJalisco}, kGuadalajara},
               u"DelSelected",
               [](auto& script) { script.Click(u"cmdDel"); },
               [](auto& script) { script.Click(u"cmdDel"); },
               [](auto& user) { user.AnswerMessageBox(ui::vbYes); }}),
    EscapeName);

}  // namespace
}  // namespace browser_test
