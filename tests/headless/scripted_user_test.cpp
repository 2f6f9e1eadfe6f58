// What is the headless toolkit's own: the scripted user (its plans, Alt and a letter, nodes found
// by the texts on the way to them), the failures that stop a run instead of letting it hang, and
// the transcript of what happened on the screen.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "headless_test.h"
#include "runtime/text.h"

namespace mundor::ui::headless::testing {
namespace {

using Events = std::vector<std::u16string>;

class ScriptedUserTest : public HeadlessTest {
  protected:
    ScriptedUserTest() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { window().Hide(); };
    }
    Window& window() { return logic_.window(); }

    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(ScriptedUserTest, TheTranscriptTellsWhatHappenedOnTheScreenInOrder) {
    RecordingLogic outer(SampleBrowserForm());
    outer.clicks[u"cmdAction"] = [&](Button&) { window().ShowModal(); };
    outer.clicks[u"cmdCerrar"] = [&](Button&) { outer.window().Hide(); };
    logic_.clicks[u"cmdCancelar"] = [](Button&) { rt::RaiseObjectNotSet(); };
    logic_.clicks[u"cmdAceptar"] = [&](Button&) {
        MsgBox(SampleApp(), u"Introduzca código del pais", vbInformation);
        window().Get<TextField>(u"ctrlCodigo").SetFocus();
        window().Hide();
    };
    user().OnShow(u"brwPrueba").Click(u"cmdAction", 0).Click(u"cmdCerrar");
    user()
        .OnShow(u"dlgPrueba")
        .Type(u"ctrlCodigo", u"mx")
        .Click(u"cmdCancelar")
        .Click(u"cmdAceptar");
    user().AnswerMessageBox(vbOK);

    outer.window().ShowModal();

    const auto clicked = [](std::u16string_view window, std::u16string_view button,
                            LONG index = kNoIndex) {
        return UserActed{std::u16string(window), UserActionKind::Click, std::u16string(button),
                         index};
    };
    EXPECT_EQ(transcript().Entries(),
              (std::vector<TranscriptEntry>{
                  WindowShown{u"brwPrueba"},
                  clicked(u"brwPrueba", u"cmdAction", 0),
                  WindowShown{u"dlgPrueba"},
                  UserActed{u"dlgPrueba", UserActionKind::Type, u"ctrlCodigo", kNoIndex, u"mx"},
                  clicked(u"dlgPrueba", u"cmdCancelar"),
                  HandlerFailed{u"dlgPrueba", rt::err::kObjectNotSet,
                                rt::StandardDescription(rt::err::kObjectNotSet)},
                  clicked(u"dlgPrueba", u"cmdAceptar"),
                  MessageBoxShown{u"Introduzca código del pais", vbInformation, u"Mundor", vbOK},
                  FocusMoved{u"dlgPrueba", u"ctrlCodigo", kNoIndex},
                  WindowHidden{u"dlgPrueba"},
                  clicked(u"brwPrueba", u"cmdCerrar"),
                  WindowHidden{u"brwPrueba"},
              }))
        << transcript().Text();
    EXPECT_NE(transcript().Text().find("\n  show dlgPrueba\n"), std::string::npos)
        << "nested windows are indented:\n"
        << transcript().Text();
}

// --- Failures that end a run ---

TEST_F(ScriptedUserTest, AScriptThatCannotBePlayedOutRaisesAScriptFailureSayingWhy) {
    const struct {
        std::optional<ShowScript> plan;  // none: the window has no script
        std::u16string says;
    } cases[] = {
        // A window left shown when its script runs out raises instead of hanging, and the
        // failure carries the transcript so far.
        {ShowScript().Type(u"ctrlNombre", u"Jalisco"), u"sigue a la vista"},
        {ShowScript().Type(u"ctrlNombre", u"Jalisco"), u"user types \"Jalisco\""},
        {std::nullopt, u"no prevé nada"},
        {ShowScript().Click(u"cmdAceptar").Type(u"ctrlNombre", u"tarde"), u"tras la acción 1 de 2"},
        {ShowScript().Click(u"cmdNoExiste"), u"no tiene un botón llamado 'cmdNoExiste'"},
        {ShowScript().Run(u"bad step", [](Window&) { rt::Raise(rt::err::kOverflow); }),
         u"produjo el error 6"},
        {ShowScript()
             .Run(u"lock", [](Window& w) { w.Get<TextField>(u"ctrlNombre").SetEditable(false); })
             .Type(u"ctrlNombre", u"Jalisco"),
         u"no es editable"},
        // No caption marks the P.
        {ShowScript().PressAccessKey(u'P'), u"no tiene un botón cuya tecla de acceso sea 'P'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(rt::Utf16ToUtf8(c.says));
        HeadlessToolkit toolkit;
        const ScopedThreadToolkit installed(toolkit);
        RecordingLogic logic(SampleDialogForm());
        logic.clicks[u"cmdAceptar"] = [&](Button&) { logic.window().Hide(); };
        if (c.plan) toolkit.user().OnShow(u"dlgPrueba") = *c.plan;

        const rt::RuntimeError error = ErrorFrom([&] { logic.window().ShowModal(); });

        EXPECT_EQ(error.number(), kScriptFailure);
        EXPECT_NE(error.description().find(c.says), std::u16string::npos)
            << rt::Utf16ToUtf8(error.description());
        EXPECT_NE(error.description().find(u"dlgPrueba"), std::u16string::npos);
        EXPECT_FALSE(logic.window().Visible());
        EXPECT_TRUE(toolkit.failure().has_value());
    }
}

TEST_F(ScriptedUserTest, AFailureInANestedWindowReachesTheTestAndNeverTheOuterWindowsLogic) {
    for (const bool outerSwallowsErrors : {false, true}) {
        SCOPED_TRACE(outerSwallowsErrors ? "the outer logic drops every error" : "it does not");
        HeadlessToolkit toolkit;
        const ScopedThreadToolkit installed(toolkit);
        RecordingLogic outer(SampleBrowserForm());
        RecordingLogic inner(SampleDialogForm());
        outer.clicks[u"cmdAction"] = [&](Button&) {
            try {
                inner.window().ShowModal();
            } catch (...) {
                // Component code that drops every error, as some commands do.
                if (!outerSwallowsErrors) throw;
            }
        };
        toolkit.user().OnShow(u"brwPrueba").Click(u"cmdAction", 1).Click(u"cmdCerrar");
        toolkit.user().OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"sin salida");

        const rt::RuntimeError error = ErrorFrom([&] { outer.window().ShowModal(); });

        EXPECT_EQ(error.number(), kScriptFailure);
        EXPECT_NE(error.description().find(u"dlgPrueba"), std::u16string::npos);
        EXPECT_EQ(outer.events, (Events{u"load", u"click cmdAction(1)"}))
            << "the outer script stops at the failure";
        EXPECT_TRUE(outer.errors.empty()) << "a script failure is never the window's own error";
        EXPECT_TRUE(toolkit.transcript().Only<HandlerFailed>().empty());
    }
}

// --- The tree ---

class TreeScriptTest : public HeadlessTest {
  protected:
    TreeScriptTest() {
        AddSampleCountries(tree().Nodes());
        logic_.onExpand = LoadSampleStates;
        logic_.clicks[u"cmdCerrar"] = [this](Button&) { window().Hide(); };
    }
    Window& window() { return logic_.window(); }
    Tree& tree() { return window().Get<Tree>(u"tvwPaises"); }

    RecordingLogic logic_{SampleBrowserForm()};
};

TEST_F(TreeScriptTest, ANodeIsFoundByTheTextsOnTheWayToItAndAStepCanActAsItGoes) {
    user()
        .OnShow(u"brwPrueba")
        .Run(u"open Mexico now",
             [](Window& w) { ActNow(w, ShowScript().ExpandPath(u"tvwPaises", {u"(52) México"})); })
        .SelectPath(u"tvwPaises", {u"(52) México", u"Colima"})
        .Click(u"cmdCerrar");

    window().ShowModal();

    ASSERT_NE(tree().SelectedItem(), nullptr);
    EXPECT_EQ(tree().SelectedItem()->Key(), u"EDOCOL");
    EXPECT_EQ(logic_.events, (Events{u"load", u"expand SysMX", u"click cmdCerrar"}));
    const UserActed selected{u"brwPrueba", UserActionKind::SelectNode, u"tvwPaises", kNoIndex,
                             u"",          {u"(52) México", u"Colima"}};
    EXPECT_NE(transcript().Text().find(Describe(selected)), std::string::npos)
        << transcript().Text();
    EXPECT_NE(Describe(selected).find("\"(52) México\" > \"Colima\""), std::string::npos);
}

// A step that cannot be played on the tree as it is, and what the script failure says of it.
struct BadStep {
    const char* name;
    ShowScript step;
    std::u16string says;
};
class TreeScriptFailure : public TreeScriptTest, public ::testing::WithParamInterface<BadStep> {};

TEST_P(TreeScriptFailure, NamesTheNodeItCannotReach) {
    tree().Nodes().Add(nullptr, tvwLast, u"SysES2", u"(34) España");
    tree().Nodes().Add(tree().Nodes().Item(2), tvwChild, u"EDOOCULTO", u"oculto");
    user().OnShow(u"brwPrueba") = GetParam().step;
    const rt::RuntimeError error = ErrorFrom([&] { window().ShowModal(); });
    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(GetParam().says), std::u16string::npos)
        << rt::Utf16ToUtf8(error.description());
}

// México is closed: its placeholder child and what lies below it are there, but not on screen.
INSTANTIATE_TEST_SUITE_P(
    Steps, TreeScriptFailure,
    ::testing::Values(BadStep{"HiddenByPath",
                              ShowScript().SelectPath(u"tvwPaises", {u"(52) México", u""}),
                              u"no está a la vista"},
                      BadStep{"HiddenByKey", ShowScript().SelectNode(u"tvwPaises", u"EDOOCULTO"),
                              u"no está a la vista"},
                      BadStep{"NoSuchChild",
                              ShowScript().SelectPath(u"tvwPaises", {u"(52) México", u"Sonora"}),
                              u"no tiene un nodo en"},
                      BadStep{"TwoNodes", ShowScript().SelectPath(u"tvwPaises", {u"(34) España"}),
                              u"más de un nodo"},
                      BadStep{"NothingToExpand", ShowScript().ExpandNode(u"tvwPaises", u"SysES"),
                              u"nada que expandir"}),
    [](const ::testing::TestParamInfo<BadStep>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace mundor::ui::headless::testing
