// The browser's commands end to end: a host opens the browser with ExplorerCountry over a real
// catalog, and the scripted user finds nodes by their texts, presses "Agregar País", "Agregar
// Estado", "Agregar Ciudad", "Modificar" and "Eliminar", and answers the dialogs and boxes they
// open. The tree, with what is open and selected, is looked at while the browser shows, the
// catalog afterwards.
#include <gtest/gtest.h>

#include <type_traits>

#include "browser_fixture.h"
#include "contracts/ui/message_box.h"
#include "facade/mundor_client.h"
#include "runtime/bstr.h"
#include "tree_outline.h"

namespace browser_test {
namespace {

namespace rt = mundor::rt;
namespace ui = mundor::ui;
namespace headless = mundor::ui::headless;
using headless::TextPath;
using Press = std::function<void(headless::ShowScript&)>;

constexpr char16_t kTree[] = u"tvwPaises";
const TextPath kMexico{u"(52) México"};
const TextPath kPeru{u"(51) Perú"};
const TextPath kColima{u"(52) México", u"Colima"};
const TextPath kJalisco{u"(52) México", u"Jalisco"};
const TextPath kGuadalajara{u"(52) México", u"Jalisco", u"Guadalajara"};
const std::u16string kConfirm = u"¿Seguro desea eliminar este elemento?";

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

// The first line of `lines` for a node at `depth` whose line ends so.
std::vector<std::string>::iterator LineOf(std::vector<std::string>& lines, int depth,
                                          const std::string& ending) {
    return std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(std::string(2 * depth, ' ')) && line[2 * depth] != ' ' &&
               line.ends_with(ending);
    });
}

// Where the user stands when pressing a button: the nodes opened in turn, then the selection.
struct Standing {
    const char* name;
    std::vector<TextPath> open;
    TextPath select;
};
// A table's rows are named by where the user stands.
template <class Row>
std::string NameOf(const ::testing::TestParamInfo<Row>& info) {
    if constexpr (std::is_same_v<Row, Standing>) return info.param.name;
    if constexpr (!std::is_same_v<Row, Standing>) return info.param.standing.name;
}

Press Clicks(std::u16string button, LONG index = ui::kNoIndex) {
    return [button, index](headless::ShowScript& script) { script.Click(button, index); };
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
    // The facade lets go of the catalog (every read then fails with 91), or takes it back.
    std::function<void(ui::Window&)> Bind(bool bound) {
        return [this, bound](ui::Window&) {
            mundor::MundorClient(fx_.As<mundor::_MundorFx>())
                .SetDataObjects(bound ? catalog_.catalog() : nullptr);
        };
    }
    // The rows stored at a depth of the tree: the countries, México's states or Jalisco's cities.
    std::vector<Named> RowsAt(std::size_t depth) const {
        if (depth == 0) return catalog_.Countries();
        if (depth == 1) return catalog_.StatesOf(mexico_.pk);
        return catalog_.CitiesOf(jalisco_.pk);
    }
    std::size_t StoredRecords() const {
        return RowsAt(0).size() + RowsAt(1).size() + RowsAt(2).size() +
               catalog_.CitiesOf(colima_.pk).size();
    }

    // The tree, with what is open and selected, just before and just after the press.
    struct Looks {
        std::vector<std::string> before, after;
    };
    // Opens the browser where the user stands, looks, presses, looks again and closes it; every
    // step the test scripted must have been used.
    Looks Pressing(const Standing& at, const Press& press) {
        Looks seen;
        headless::ShowScript& script = OnBrowser();
        for (const TextPath& path : at.open) script.ExpandPath(kTree, path);
        if (!at.select.empty()) script.SelectPath(kTree, at.select);
        script.Run(u"look at the tree", LookAtTree(seen.before, true));
        press(script);
        script.Run(u"look at the tree", LookAtTree(seen.after, true)).Click(u"cmdCerrar");
        ExplorerCountry();
        EXPECT_TRUE(user().AllUsed()) << Utf8(user().Unused()) << transcript().Text();
        return seen;
    }

    Stored mexico_, jalisco_, colima_, guadalajara_, peru_;
};

// --- Adds ---

// An add: where the user stands and the button pressed (0 adds a country, 1 a state to México,
// 2 a city to Jalisco).
struct Addition {
    Standing standing;
    LONG button;
};

// Each level's dialog, and what an add types there; each name comes first by name, so only an
// append puts it last.
const struct {
    const char16_t *dialog, *codigo, *codigoTel, *nombre, *text;
} kAdded[] = {{u"dlgPais", u"AR", u"54", u"Argentina", u"(54) Argentina"},
              {u"dlgEdoProv", u"AGS", nullptr, u"Aguascalientes", u"Aguascalientes"},
              {u"dlgCiudad", u"AME", u"33", u"Ameca", u"Ameca"}};

class Add : public BrowserCommands, public ::testing::WithParamInterface<Addition> {};

TEST_P(Add, GoesLastUnderItsParentWithoutOpeningItOrMovingTheSelection) {
    const int depth = GetParam().button;
    const auto& added = kAdded[depth];
    headless::ShowScript& dialog = user().OnShow(added.dialog);
    dialog.Type(u"ctrlCodigo", added.codigo).Type(u"ctrlNombre", added.nombre);
    if (added.codigoTel) dialog.Type(u"ctrlCodigoTel", added.codigoTel);
    dialog.Click(u"cmdAceptar");
    const Looks seen = Pressing(GetParam().standing, Clicks(u"cmdAction", depth));

    // The new node goes last below its parent. A parent never opened loses its placeholder and
    // shows the new node alone: it now counts as loaded, and what storage has below it stays
    // unread. A new country gets a placeholder; a new state or city none: nothing is below it yet.
    std::vector<std::string> expected = seen.before;
    auto end = expected.end();
    if (depth > 0) {
        const std::string parentKey = Utf8(depth == 1 ? Sys(mexico_) : Edo(jalisco_)) + " ";
        const auto parent = std::find_if(expected.begin(), expected.end(), [&](const auto& line) {
            return line.find(parentKey) != std::string::npos;
        });
        ASSERT_NE(parent, expected.end());
        end = std::find_if(parent + 1, expected.end(), [&](const std::string& line) {
            return !line.starts_with(std::string(2 * depth, ' '));
        });
        if (end == parent + 2 && parent[1] == PlaceholderLine(depth))
            end = expected.erase(parent + 1);
    }
    const std::u16string prefix[] = {u"Sys", u"EDO", u"CTY"};
    const Named row = Find(RowsAt(depth), added.nombre);
    end = expected.insert(end, Line(depth, prefix[depth] + row.guid, added.text)) + 1;
    if (depth == 0) expected.insert(end, PlaceholderLine(1));
    EXPECT_EQ(seen.after, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Add,
    ::testing::Values(Addition{{"CountryWithNothingSelected", {}, {}}, 0},
                      Addition{{"CountryWithACitySelected", {kMexico, kJalisco}, kGuadalajara}, 0},
                      Addition{{"StateToACountryNeverOpened", {}, kMexico}, 1},
                      Addition{{"StateToAnOpenCountry", {kMexico}, kMexico}, 1},
                      Addition{{"StateBesideASelectedState", {kMexico}, kJalisco}, 1},
                      Addition{{"CityToAStateNeverOpened", {kMexico}, kJalisco}, 2},
                      Addition{{"CityToAnOpenState", {kMexico, kJalisco}, kJalisco}, 2},
                      Addition{{"CityBesideASelectedCity", {kMexico, kJalisco}, kGuadalajara}, 2}),
    NameOf<Addition>);

// --- What leaves the tree and the catalog as they were ---

// A command refused or turned down: the press, what the user does in the dialog or boxes it
// opens, and the boxes expected. With no user steps the command must refuse before it reads
// anything: the catalog is let go of before the press, no dialog opens, and its one box has the
// given title (an add's takes the pressed button's caption) and style.
struct TurnedDown {
    Standing standing;
    std::u16string button;
    LONG index;
    std::vector<std::u16string> boxes;
    std::function<void(headless::ScriptedUser&)> user;
    std::u16string title = u"Mundor";
    LONG style = ui::vbInformation;
    bool statedMeanwhile = false;  // another user stores a state under Perú before the press

    // A constructor, so that the rows read as calls on every compiler.
    TurnedDown(Standing s, std::u16string b, LONG i, std::vector<std::u16string> shown,
               std::function<void(headless::ScriptedUser&)> u, std::u16string t = u"Mundor",
               LONG st = ui::vbInformation, bool meanwhile = false)
        : standing(std::move(s)),
          button(std::move(b)),
          index(i),
          boxes(std::move(shown)),
          user(std::move(u)),
          title(std::move(t)),
          style(st),
          statedMeanwhile(meanwhile) {}
};

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
    const std::vector<Named> stored[] = {RowsAt(0), RowsAt(1), RowsAt(2)};
    const Looks seen = Pressing(command.standing, [&](headless::ShowScript& script) {
        if (command.statedMeanwhile) {
            script.Run(u"another user stores a state",
                       [&](ui::Window&) { catalog_.AddEdoProv(peru_.pk, u"LIM", u"Lima"); });
        }
        if (refusedUnread) script.Run(u"the facade lets go of the catalog", Bind(false));
        script.Click(command.button, command.index)
            .Run(u"the facade takes the catalog back", Bind(true));
    });

    EXPECT_EQ(seen.after, seen.before);
    std::vector<std::u16string> prompts;
    for (const auto& box : MessageBoxes()) prompts.push_back(box.prompt);
    EXPECT_EQ(prompts, command.boxes);
    if (refusedUnread && !MessageBoxes().empty()) {
        EXPECT_EQ(MessageBoxes()[0].style, command.style);
        EXPECT_EQ(MessageBoxes()[0].title, command.title);
        EXPECT_EQ(transcript().Only<headless::WindowShown>().size(), 1u) << "a dialog was opened";
    }
    for (std::size_t depth = 0; depth < 3; ++depth) EXPECT_EQ(RowsAt(depth), stored[depth]);
}

const std::u16string kNotEmpty = u"El elemento a eliminar no esta vacio";

INSTANTIATE_TEST_SUITE_P(
    Commands, TurnedDownCommand,
    ::testing::Values(
        TurnedDown(Standing{"AddStateWithNothingSelected", {}, {}}, u"cmdAction", 1,
                   {u"Seleccione un estado"}, {}, u"Agregar Estado"),
        TurnedDown(Standing{"AddCityWithNothingSelected", {}, {}}, u"cmdAction", 2,
                   {u"Seleccione un estado"}, {}, u"Agregar Ciudad"),
        TurnedDown(Standing{"AddStateWithACitySelected", {kMexico, kJalisco}, kGuadalajara},
                   u"cmdAction", 1, {u"Seleccione el Pais, al que desea agregar un estado"}, {},
                   u"Agregar Estado"),
        TurnedDown(Standing{"AddCityWithACountrySelected", {}, kMexico}, u"cmdAction", 2,
                   {u"Seleccione el Estado, al que desea agregar una ciudad"}, {},
                   u"Agregar Ciudad"),
        TurnedDown(Standing{"ModifyWithNothingSelected", {}, {}}, u"cmdEdit", ui::kNoIndex,
                   {u"Seleccione el Pais, Estado o Ciudad a modificar"}, {},
                   u"Modificar Pais/Estado/Ciudad"),
        TurnedDown(Standing{"DeleteWithNothingSelected", {}, {}}, u"cmdDel", ui::kNoIndex,
                   {u"Seleccione el Pais, Estado o Ciudad a eliminar"}, {},
                   u"Eliminar Pais/Estado/Ciudad"),
        // Perú has nothing stored below it, but its placeholder counts: the tree alone decides.
        TurnedDown(Standing{"DeleteOfACountryNeverOpened", {}, kPeru}, u"cmdDel", ui::kNoIndex,
                   {kNotEmpty}, {}, u"Mundor", ui::vbCritical),
        TurnedDown(Standing{"DeleteOfAStateWithCities", {kMexico, kJalisco}, kJalisco}, u"cmdDel",
                   ui::kNoIndex, {kNotEmpty}, {}, u"Mundor", ui::vbCritical),
        TurnedDown(Standing{"CancelledCountry", {}, {}}, u"cmdAction", 0, {},
                   [](auto& user) { CancelsThe(user, u"dlgPais"); }),
        // The country never opened keeps its placeholder: nothing was added under it.
        TurnedDown(Standing{"CancelledStateUnderACountryNeverOpened", {}, kMexico}, u"cmdAction", 1,
                   {}, [](auto& user) { CancelsThe(user, u"dlgEdoProv"); }),
        TurnedDown(Standing{"CancelledCity", {kMexico}, kJalisco}, u"cmdAction", 2, {},
                   [](auto& user) { CancelsThe(user, u"dlgCiudad"); }),
        TurnedDown(Standing{"CancelledModify", {kMexico, kJalisco}, kGuadalajara}, u"cmdEdit",
                   ui::kNoIndex, {}, [](auto& user) { CancelsThe(user, u"dlgCiudad"); }),
        // The library refuses the store (a code already taken); the user gives up.
        TurnedDown(Standing{"RefusedStore", {kMexico}, kMexico}, u"cmdAction", 1,
                   {u"Ya existe un estado o provincia con ese código en el país."},
                   [](auto& user) {
                       user.OnShow(u"dlgEdoProv")
                           .Type(u"ctrlCodigo", u"JAL")
                           .Type(u"ctrlNombre", u"Otro Jalisco")
                           .Click(u"cmdAceptar")
                           .Click(u"cmdCancelar");
                       user.AnswerMessageBox(ui::vbOK);
                   }),
        // Perú was opened and found empty; meanwhile another user stored a state under it. The
        // tree lets the delete through, the library refuses it, and the facade says why.
        TurnedDown(
            Standing{"DeleteTheLibraryRefuses", {kPeru}, kPeru}, u"cmdDel", ui::kNoIndex,
            {kConfirm,
             u"(20020) No se puede eliminar el país: tiene estados o provincias "
             u"registrados. [ThisApp.DelPais]"},
            [](auto& user) { user.AnswerMessageBox(ui::vbYes).AnswerMessageBox(ui::vbOK); }, {}, {},
            true),
        TurnedDown(Standing{"DeleteAnsweredNo", {kMexico, kJalisco}, kGuadalajara}, u"cmdDel",
                   ui::kNoIndex, {kConfirm}, [](auto& user) { user.AnswerMessageBox(ui::vbNo); })),
    NameOf<TurnedDown>);

// --- Modify and delete ---

class Modify : public BrowserCommands, public ::testing::WithParamInterface<Standing> {};

// The dialog gets the parent key the record gives: with any other the library would refuse the
// store or move the record.
TEST_P(Modify, ChangesOnlyTheNodesTextAndKeepsTheRecordUnderItsParent) {
    const TextPath& node = GetParam().select;
    const int depth = static_cast<int>(node.size()) - 1;
    const std::u16string oldText = node.back();
    const std::u16string newName = depth == 0 ? u"Estados Unidos Mexicanos" : oldText + u" Nuevo";
    headless::ShowScript& dialog = user().OnShow(kAdded[depth].dialog).Type(u"ctrlNombre", newName);
    // A country's text shows its area code; the seeded city has none yet, which its dialog asks.
    if (depth != 1) dialog.Type(u"ctrlCodigoTel", depth == 0 ? u"53" : u"33");
    dialog.Click(u"cmdAceptar");
    Looks seen = Pressing(GetParam(), Clicks(u"cmdEdit"));

    // The selected node keeps its key, its place and the selection; only its text changes.
    const auto changed = LineOf(seen.before, depth, "[selected] | " + Utf8(oldText));
    ASSERT_NE(changed, seen.before.end());
    const std::u16string newText = depth == 0 ? u"(53) " + newName : newName;
    *changed = changed->substr(0, changed->size() - Utf8(oldText).size()) + Utf8(newText);
    EXPECT_EQ(seen.after, seen.before);
    Find(RowsAt(depth), newName);
}

INSTANTIATE_TEST_SUITE_P(Commands, Modify,
                         ::testing::Values(Standing{"AnOpenCountry", {kMexico, kJalisco}, kMexico},
                                           Standing{"AnOpenState", {kMexico, kJalisco}, kJalisco},
                                           Standing{"ACity", {kMexico, kJalisco}, kGuadalajara}),
                         NameOf<Standing>);

// Deletes, each confirmed: the nodes removed in turn, then what the tree keeps.
struct Deletion {
    Standing standing;  // with nothing selected: every delete selects its own node
    std::vector<TextPath> deleted;
};

class Delete : public BrowserCommands, public ::testing::WithParamInterface<Deletion> {};

// Each delete selects its node first; afterwards nothing is selected, as the outline shows.
TEST_P(Delete, RemovesExactlyTheConfirmedNodesAndTheirRecords) {
    const Deletion& deletion = GetParam();
    const std::size_t stored = StoredRecords();
    Looks seen = Pressing(deletion.standing, [&](headless::ShowScript& script) {
        for (const TextPath& path : deletion.deleted) {
            user().AnswerMessageBox(ui::vbYes, kConfirm);
            script.SelectPath(kTree, path).Click(u"cmdDel");
        }
    });
    for (const TextPath& path : deletion.deleted) {
        const auto gone =
            LineOf(seen.before, static_cast<int>(path.size()) - 1, "| " + Utf8(path.back()));
        ASSERT_NE(gone, seen.before.end()) << Utf8(path.back());
        seen.before.erase(gone);
    }
    EXPECT_EQ(seen.after, seen.before);
    EXPECT_EQ(StoredRecords(), stored - deletion.deleted.size());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Delete,
    // The first two were opened and found empty: nothing is left below them in the tree.
    ::testing::Values(Deletion{{"AStateFoundEmpty", {kMexico, kColima}, {}}, {kColima}},
                      Deletion{{"ACountryFoundEmpty", {kPeru}, {}}, {kPeru}},
                      Deletion{{"AStateEmptiedInTheBrowser", {kMexico, kJalisco}, {}},
                               {kGuadalajara, kJalisco}}),
    NameOf<Deletion>);

// --- Errors that escape a command ---

struct Escape {
    Standing standing;
    std::u16string routine;
    std::function<void(headless::ScriptedUser&)> answers;  // to what the retry opens
    Press act;
    Press retry = {};  // once the catalog is back; none: the act again

    Escape(Standing s, std::u16string r, std::function<void(headless::ScriptedUser&)> a,
           Press doing, Press again = {})
        : standing(std::move(s)),
          routine(std::move(r)),
          answers(std::move(a)),
          act(std::move(doing)),
          retry(std::move(again)) {}
};

class EscapedError : public BrowserCommands, public ::testing::WithParamInterface<Escape> {};

// An error that escapes a command or an expansion is shown in the component's error box with
// the routine's name; the browser stays open, and the same action works once it can.
TEST_P(EscapedError, IsShownWithItsNumberAndTheBrowserStaysUsable) {
    const Escape& escape = GetParam();
    const std::u16string prompt =
        u"(91) Variable de objeto o bloque With no establecida [brwPaises." + escape.routine + u"]";
    user().AnswerMessageBox(ui::vbOK, prompt);
    escape.answers(user());
    // What is open may change with the failure (an expansion's node shows open); nothing else.
    std::vector<std::string> before, failed;
    const Looks seen = Pressing(escape.standing, [&](headless::ShowScript& script) {
        script.Run(u"look at the tree", LookAtTree(before))
            .Run(u"the facade lets go of the catalog", Bind(false));
        escape.act(script);
        script.Run(u"look at the tree", LookAtTree(failed))
            .Run(u"the facade takes the catalog back", Bind(true));
        (escape.retry ? escape.retry : escape.act)(script);
    });

    ASSERT_FALSE(MessageBoxes().empty()) << transcript().Text();
    EXPECT_EQ(MessageBoxes()[0],
              (headless::MessageBoxShown{prompt, ui::vbCritical, u"Mundor", ui::vbOK}));
    EXPECT_EQ(failed, before);
    EXPECT_NE(seen.after, seen.before) << "the retry did nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, EscapedError,
    ::testing::Values(
        // The node opened on its placeholder after the failure; the user closes it and retries.
        Escape(
            Standing{"Expand", {}, {}}, u"tvwPaises_Expand", [](auto&) {},
            [](auto& script) { script.ExpandPath(kTree, kMexico); },
            [](auto& script) { script.CollapsePath(kTree, kMexico).ExpandPath(kTree, kMexico); }),
        Escape(
            Standing{"Modify", {kMexico, kJalisco}, kGuadalajara}, u"EditSelected",
            [](auto& user) {
                user.OnShow(u"dlgCiudad")
                    .Type(u"ctrlCodigoTel", u"33")
                    .Type(u"ctrlNombre", u"Tlaquepaque")
                    .Click(u"cmdAceptar");
            },
            Clicks(u"cmdEdit")),
        Escape(
            Standing{"Delete", {kMexico, kJalisco}, kGuadalajara}, u"DelSelected",
            [](auto& user) { user.AnswerMessageBox(ui::vbYes); }, Clicks(u"cmdDel"))),
    NameOf<Escape>);

}  // namespace
}  // namespace browser_test
