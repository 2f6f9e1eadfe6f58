// A window's life, as every toolkit lives it (load once, the guards of a modal show, unload,
// release, errors that escape a handler, and the log of the errors dropped on the way), and the
// headless modal show: the scripted user acts until the window hides, windows nest, and the
// failures that stop a run instead of letting it hang.
#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "headless_test.h"
#include "log_capture.h"
#include "runtime/text.h"

namespace mundor::ui::headless::testing {
namespace {

using Events = std::vector<std::u16string>;

class ModalWindowTest : public HeadlessTest {
  protected:
    ModalWindowTest() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { logic_.window().Hide(); };
    }
    Window& window() { return logic_.window(); }

    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(ModalWindowTest, ShowModalReturnsWhenTheWindowHidesItself) {
    bool shownDuringStep = false;
    user()
        .OnShow(u"dlgPrueba")
        .Run(u"look at the window", [&](Window& shown) { shownDuringStep = shown.Visible(); })
        .Click(u"cmdAceptar");

    window().ShowModal();

    EXPECT_TRUE(shownDuringStep);
    EXPECT_FALSE(window().Visible());
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAceptar"}));
    EXPECT_EQ(transcript().Entries().front(), TranscriptEntry(WindowShown{u"dlgPrueba"}));
    EXPECT_EQ(transcript().Entries().back(), TranscriptEntry(WindowHidden{u"dlgPrueba"}));
}

TEST_F(ModalWindowTest, EachShowingUsesTheNextScriptOfThatWindowAndLoadsOnlyOnce) {
    user().OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"primero").Click(u"cmdAceptar");
    user().OnShow(u"dlgPrueba").Click(u"cmdCancelar").Click(u"cmdAceptar");

    window().ShowModal();
    EXPECT_EQ(window().Get<TextField>(u"ctrlNombre").Value(), u"primero");
    window().ShowModal();

    EXPECT_EQ(logic_.events,
              (Events{u"load", u"click cmdAceptar", u"click cmdCancelar", u"click cmdAceptar"}));
    EXPECT_EQ(transcript().Only<WindowShown>().size(), 2u);
    EXPECT_TRUE(user().AllUsed());
}

TEST_F(ModalWindowTest, ADialogOpenedFromAButtonRunsItsOwnScriptInsideTheOuterShow) {
    RecordingLogic outer(SampleBrowserForm());
    std::u16string readAfterInnerShow;
    outer.clicks[u"cmdAction"] = [&](Button&) {
        window().ShowModal();
        readAfterInnerShow = window().Get<TextField>(u"ctrlNombre").Value();
    };
    outer.clicks[u"cmdCerrar"] = [&](Button&) { outer.window().Unload(); };
    user().OnShow(u"brwPrueba").Click(u"cmdAction", 0).Click(u"cmdCerrar");
    user().OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"Jalisco").Click(u"cmdAceptar");

    outer.window().ShowModal();

    EXPECT_EQ(readAfterInnerShow, u"Jalisco");
    EXPECT_EQ(outer.events,
              (Events{u"load", u"click cmdAction(0)", u"click cmdCerrar", u"unload"}));
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAceptar"}));
    const auto shown = transcript().Only<WindowShown>();
    const auto hidden = transcript().Only<WindowHidden>();
    EXPECT_EQ(shown, (std::vector<WindowShown>{{u"brwPrueba"}, {u"dlgPrueba"}}));
    EXPECT_EQ(hidden, (std::vector<WindowHidden>{{u"dlgPrueba"}, {u"brwPrueba"}}));
    EXPECT_NE(transcript().Text().find("  show dlgPrueba"), std::string::npos)
        << "nested windows are indented:\n"
        << transcript().Text();
}

TEST_F(ModalWindowTest, AGrantedCloseRequestUnloadsTheWindowForGood) {
    user().OnShow(u"dlgPrueba").Close();

    window().ShowModal();

    EXPECT_EQ(logic_.events, (Events{u"load", u"close request", u"unload"}));
    EXPECT_FALSE(window().Visible());
    EXPECT_EQ(ErrorFrom([&] { window().ShowModal(); }).number(), err::kObjectUnloaded);
    window().Unload();  // unloading again does nothing
    EXPECT_EQ(logic_.events.size(), 3u);
}

TEST_F(ModalWindowTest, ARefusedCloseRequestLeavesTheWindowShown) {
    logic_.allowClose = false;
    user().OnShow(u"dlgPrueba").Close().Click(u"cmdAceptar");

    window().ShowModal();

    EXPECT_EQ(logic_.events, (Events{u"load", u"close request", u"click cmdAceptar"}));
}

TEST_F(ModalWindowTest, ReleasingTheWindowUnloadsIt) {
    user().OnShow(u"dlgPrueba").Click(u"cmdAceptar");
    window().ShowModal();
    logic_.ReleaseWindow();
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAceptar", u"unload"}));
}

TEST_F(ModalWindowTest, AShownWindowCannotBeShownModalAgain) {
    std::optional<LONG> error;
    logic_.clicks[u"cmdCancelar"] = [&](Button&) {
        error = ErrorFrom([&] { window().ShowModal(); }).number();
    };
    user().OnShow(u"dlgPrueba").Click(u"cmdCancelar").Click(u"cmdAceptar");

    window().ShowModal();

    EXPECT_EQ(error, err::kAlreadyShownModal);
}

TEST_F(ModalWindowTest, ALoadThatFailsOrUnloadsTheWindowLeavesThroughShowModalWithNothingShown) {
    const struct {
        const char* what;
        std::function<void(Window&)> onLoad;
        LONG error;
    } cases[] = {
        {"raises", [](Window&) { rt::Raise(rt::err::kCannotCreateObject); },
         rt::err::kCannotCreateObject},
        {"unloads", [](Window& loading) { loading.Unload(); }, err::kObjectUnloaded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingLogic logic(SampleDialogForm());
        logic.onLoad = [&] { c.onLoad(logic.window()); };

        EXPECT_EQ(ErrorFrom([&] { logic.window().ShowModal(); }).number(), c.error);
        EXPECT_FALSE(logic.window().Visible());
    }
    EXPECT_TRUE(transcript().Only<WindowShown>().empty());
}

TEST_F(ModalWindowTest, AnyErrorEscapingAClickGoesToTheLogicAndTheWindowStaysShown) {
    const struct {
        const char* what;
        std::function<void()> handler;
        LONG number;
    } cases[] = {
        {"a run-time error", [] { rt::RaiseObjectNotSet(); }, rt::err::kObjectNotSet},
        {"any C++ exception", [] { throw std::runtime_error("no es de la plataforma"); },
         static_cast<LONG>(E_FAIL)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingLogic logic(SampleDialogForm());
        logic.clicks[u"cmdCancelar"] = [&](Button&) { c.handler(); };
        logic.clicks[u"cmdAceptar"] = [&](Button&) { logic.window().Hide(); };
        user().OnShow(u"dlgPrueba").Click(u"cmdCancelar").Click(u"cmdAceptar");

        logic.window().ShowModal();

        const std::u16string error = u"error " + rt::DecimalText(c.number);
        EXPECT_EQ(logic.events,
                  (Events{u"load", u"click cmdCancelar", error, u"click cmdAceptar"}));
        ASSERT_EQ(logic.errors.size(), 1u);
        EXPECT_EQ(logic.errors[0].number(), c.number);
        EXPECT_EQ(rt::LastError().number, c.number);
    }
    EXPECT_EQ(transcript().Only<HandlerFailed>().size(), 2u);
}

TEST_F(ModalWindowTest, ErrorsDroppedOnTheWayGoToTheLogAndNoFurther) {
    const mundor::testing::LogCapture log;
    logic_.clicks[u"cmdCancelar"] = [](Button&) { rt::RaiseObjectNotSet(); };
    logic_.onEventError = [](const rt::RuntimeError&) { rt::Raise(rt::err::kOverflow); };
    logic_.onUnload = [] { rt::Raise(rt::err::kInvalidCall); };
    user().OnShow(u"dlgPrueba").Click(u"cmdCancelar").Click(u"cmdAceptar");

    window().ShowModal();
    EXPECT_EQ(rt::LastError().number, rt::err::kOverflow) << "the handler's error is recorded";
    EXPECT_NO_THROW(logic_.ReleaseWindow());

    const std::vector<std::string> logged = log.TextsOf("ui");
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find("error 6 en el manejo de errores de la ventana 'dlgPrueba'"),
              std::string::npos)
        << logged[0];
    EXPECT_NE(logged[1].find("error 5 al descargar la ventana 'dlgPrueba'"), std::string::npos)
        << logged[1];
}

TEST_F(ModalWindowTest, AMessageBoxThenAFocusMoveAreRecordedInThatOrder) {
    logic_.clicks[u"cmdAceptar"] = [&](Button&) {
        MsgBox(SampleApp(), u"Introduzca código del pais", 64);
        window().Get<TextField>(u"ctrlCodigo").SetFocus();
    };
    logic_.clicks[u"cmdCancelar"] = [&](Button&) { window().Hide(); };
    user()
        .OnShow(u"dlgPrueba")
        .Type(u"ctrlCodigo", u"   ")
        .Click(u"cmdAceptar")
        .Click(u"cmdCancelar");
    user().AnswerMessageBox(vbOK);

    window().ShowModal();

    const auto& entries = transcript().Entries();
    const auto box = std::find(
        entries.begin(), entries.end(),
        TranscriptEntry(MessageBoxShown{u"Introduzca código del pais", 64, u"Mundor", vbOK}));
    ASSERT_NE(box, entries.end()) << transcript().Text();
    EXPECT_EQ(*(box + 1), TranscriptEntry(FocusMoved{u"dlgPrueba", u"ctrlCodigo", kNoIndex}));
    EXPECT_EQ(window().FocusedControl(), &window().GetControl(u"ctrlCodigo"));
}

// --- Failures that end a run ---

TEST_F(ModalWindowTest, AScriptThatCannotBePlayedOutRaisesAScriptFailureSayingWhy) {
    const struct {
        std::function<void(ScriptedUser&)> plan;
        std::u16string says;
    } cases[] = {
        // A window left shown when its script runs out raises instead of hanging, and the
        // failure carries the transcript so far.
        {[](ScriptedUser& user) { user.OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"Jalisco"); },
         u"sigue a la vista"},
        {[](ScriptedUser& user) { user.OnShow(u"dlgPrueba").Type(u"ctrlNombre", u"Jalisco"); },
         u"user types \"Jalisco\""},
        {[](ScriptedUser&) {}, u"no prevé nada"},
        {[](ScriptedUser& user) {
             user.OnShow(u"dlgPrueba").Click(u"cmdAceptar").Type(u"ctrlNombre", u"tarde");
         },
         u"tras la acción 1 de 2"},
        {[](ScriptedUser& user) { user.OnShow(u"dlgPrueba").Click(u"cmdNoExiste"); },
         u"no tiene un botón llamado 'cmdNoExiste'"},
        {[](ScriptedUser& user) {
             user.OnShow(u"dlgPrueba").Run(u"bad step", [](Window&) {
                 rt::Raise(rt::err::kOverflow);
             });
         },
         u"produjo el error 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(rt::Utf16ToUtf8(c.says));
        HeadlessToolkit toolkit;
        const ScopedThreadToolkit installed(toolkit);
        RecordingLogic logic(SampleDialogForm());
        logic.clicks[u"cmdAceptar"] = [&](Button&) { logic.window().Hide(); };
        c.plan(toolkit.user());

        const rt::RuntimeError error = ErrorFrom([&] { logic.window().ShowModal(); });

        EXPECT_EQ(error.number(), kScriptFailure);
        EXPECT_NE(error.description().find(c.says), std::u16string::npos)
            << rt::Utf16ToUtf8(error.description());
        EXPECT_NE(error.description().find(u"dlgPrueba"), std::u16string::npos);
        EXPECT_FALSE(logic.window().Visible());
        EXPECT_TRUE(toolkit.failure().has_value());
    }
}

TEST_F(ModalWindowTest, AFailureInANestedWindowReachesTheTestAndNeverTheOuterWindowsLogic) {
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

TEST_F(ModalWindowTest, AltAndAnAccessKeyPressesThatButtonWhateverTheLettersCase) {
    logic_.clicks[u"cmdCancelar"] = [this](Button&) { logic_.window().Hide(); };
    user().OnShow(u"dlgPrueba").PressAccessKey(u'c');
    user().OnShow(u"dlgPrueba").PressAccessKey(u'A');
    window().ShowModal();
    window().ShowModal();
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdCancelar", u"click cmdAceptar"}));
    const std::vector<UserActed> acts = transcript().Only<UserActed>();
    ASSERT_EQ(acts.size(), 2u);
    EXPECT_EQ(acts[0],
              (UserActed{u"dlgPrueba", UserActionKind::AccessKey, u"cmdCancelar", kNoIndex, u"c"}));
    EXPECT_NE(transcript().Text().find("user presses Alt+A (cmdAceptar)"), std::string::npos);

    // "Agregar País" marks no letter: no key reaches it.
    user().OnShow(u"dlgPrueba").PressAccessKey(u'P');
    const rt::RuntimeError error = ErrorFrom([&] { window().ShowModal(); });
    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(u"no tiene un botón cuya tecla de acceso sea 'P'"),
              std::u16string::npos);
}

// --- The tree on screen ---

class TreeOnScreenTest : public HeadlessTest {
  protected:
    TreeOnScreenTest() {
        TreeNodes& nodes = tree().Nodes();
        mexico_ = nodes.Add(nullptr, tvwChild, u"SysMX", u"(52) México");
        nodes.Add(mexico_, tvwChild, u"", u"");
        nodes.Add(nullptr, tvwChild, u"SysES", u"(34) España");
        // The logic loads a node's children the first time it opens, as the browser does.
        logic_.onExpand = [this](Tree& expanded, const NodeRef& node) {
            expandedBeforeHandler_.push_back(node->Expanded());
            if (node->Children() != 1 || !node->Child()->Text().empty()) return;
            expanded.Nodes().Remove(node->Child()->Index());
            expanded.Nodes().Add(node, tvwChild, u"EDOJAL", u"Jalisco");
            expanded.Nodes().Add(node, tvwChild, u"EDOCOL", u"Colima");
        };
        logic_.clicks[u"cmdCerrar"] = [this](Button&) { window().Hide(); };
    }
    Window& window() { return logic_.window(); }
    Tree& tree() { return window().Get<Tree>(u"tvwPaises"); }

    RecordingLogic logic_{SampleBrowserForm()};
    NodeRef mexico_;
    std::vector<bool> expandedBeforeHandler_;
};

TEST_F(TreeOnScreenTest, TheExpandEventArrivesBeforeTheNodeOpens) {
    user()
        .OnShow(u"brwPrueba")
        .ExpandNode(u"tvwPaises", u"SysMX")
        .SelectNode(u"tvwPaises", u"EDOCOL")
        .Click(u"cmdCerrar");

    window().ShowModal();

    EXPECT_EQ(expandedBeforeHandler_, (std::vector<bool>{false}));
    EXPECT_TRUE(mexico_->Expanded());
    EXPECT_EQ(mexico_->Children(), 2);
    ASSERT_NE(tree().SelectedItem(), nullptr);
    EXPECT_EQ(tree().SelectedItem()->Key(), u"EDOCOL");
    EXPECT_EQ(logic_.events, (Events{u"load", u"expand SysMX", u"click cmdCerrar"}));
}

TEST_F(TreeOnScreenTest, CollapsingMovesTheSelectionUpAndASecondExpandFiresAgain) {
    user()
        .OnShow(u"brwPrueba")
        .ExpandNode(u"tvwPaises", u"SysMX")
        .SelectNode(u"tvwPaises", u"EDOJAL")
        .CollapseNode(u"tvwPaises", u"SysMX")
        .Run(u"selection moved up", [&](Window&) { EXPECT_EQ(tree().SelectedItem(), mexico_); })
        .ExpandNode(u"tvwPaises", u"SysMX")
        .Click(u"cmdCerrar");

    window().ShowModal();

    EXPECT_EQ(expandedBeforeHandler_, (std::vector<bool>{false, false}));
    EXPECT_EQ(mexico_->Children(), 2) << "a loaded node is not read again";
}

TEST_F(TreeOnScreenTest, RemovingTheSelectedNodeOrItsParentLeavesNothingSelected) {
    user()
        .OnShow(u"brwPrueba")
        .ExpandNode(u"tvwPaises", u"SysMX")
        .SelectNode(u"tvwPaises", u"EDOCOL")
        .Run(u"remove the country", [&](Window&) { tree().Nodes().Remove(mexico_->Index()); })
        .Click(u"cmdCerrar");

    window().ShowModal();

    EXPECT_EQ(tree().SelectedItem(), nullptr);
    EXPECT_EQ(tree().Nodes().Count(), 1);
}

TEST_F(TreeOnScreenTest, ANodeIsFoundByTheTextsOnTheWayToItAndAStepCanActAsItGoes) {
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
    std::function<void(ShowScript&)> step;
    std::u16string says;
};
class TreeScriptFailure : public TreeOnScreenTest, public ::testing::WithParamInterface<BadStep> {};

TEST_P(TreeScriptFailure, NamesTheNodeItCannotReach) {
    tree().Nodes().Add(nullptr, tvwLast, u"SysES2", u"(34) España");
    tree().Nodes().Add(mexico_->Child(), tvwChild, u"EDOOCULTO", u"oculto");
    GetParam().step(user().OnShow(u"brwPrueba"));
    const rt::RuntimeError error = ErrorFrom([&] { window().ShowModal(); });
    EXPECT_EQ(error.number(), kScriptFailure);
    EXPECT_NE(error.description().find(GetParam().says), std::u16string::npos)
        << rt::Utf16ToUtf8(error.description());
}

// México is closed: its placeholder child and what lies below it are there, but not on screen.
INSTANTIATE_TEST_SUITE_P(
    Steps, TreeScriptFailure,
    ::testing::Values(
        BadStep{"HiddenByPath",
                [](ShowScript& s) {
                    s.SelectPath(u"tvwPaises", {u"(52) México", u""});
                },
                u"no está a la vista"},
        BadStep{"HiddenByKey", [](ShowScript& s) { s.SelectNode(u"tvwPaises", u"EDOOCULTO"); },
                u"no está a la vista"},
        BadStep{"NoSuchChild",
                [](ShowScript& s) {
                    s.SelectPath(u"tvwPaises", {u"(52) México", u"Sonora"});
                },
                u"no tiene un nodo en"},
        BadStep{"TwoNodes", [](ShowScript& s) { s.SelectPath(u"tvwPaises", {u"(34) España"}); },
                u"más de un nodo"},
        BadStep{"NothingToExpand", [](ShowScript& s) { s.ExpandNode(u"tvwPaises", u"SysES"); },
                u"nada que expandir"}),
    [](const ::testing::TestParamInfo<BadStep>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace mundor::ui::headless::testing
