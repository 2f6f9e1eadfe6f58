// A window built from its form definition: size and places from twips, title-bar
// buttons and taskbar entry, where it opens, tab order, fonts and colours; Esc, and the widgets
// of a released window. Its life as every toolkit lives it is in ui_contract/.
#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "modal_driver.h"

namespace mundor::ui::qt::testing {
namespace {

using WindowTest = QtToolkitTest;

// Every control of the real dialogs against its twips at the screen's scale is in
// dialogs/qt_dialog_tests.cpp; here the scale itself, on the usual 96 DPI screen, and the size.
TEST_F(WindowTest, TheClientAreaAndEveryControlArePlacedFromTwips) {
    RecordingLogic logic(SampleDialogForm());
    QWidget& dialog = *QtToolkit::WidgetOf(logic.window());

    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the user cannot resize it";
    if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96) GTEST_SKIP();
    // Fifteen twips make a pixel at 96 DPI.
    EXPECT_EQ(dialog.size(), QSize(296, 121));
    EXPECT_EQ(dialog.findChild<QWidget*>("cmdCancelar")->geometry(), QRect(200, 90, 90, 27));
    EXPECT_EQ(dialog.findChild<QWidget*>("axMirel")->geometry(), QRect(8, 100, 84, 16));
}

TEST_F(WindowTest, TheTitleBarHasTheButtonsTheWindowsSettingsAskFor) {
    for (const bool asked : {false, true}) {
        FormDefinition form = SampleDialogForm();
        if (asked) form.window = {.maxButton = true, .minButton = true, .showInTaskbar = true};
        RecordingLogic logic(form);
        const QWidget& dialog = *QtToolkit::WidgetOf(logic.window());

        EXPECT_EQ(bool(dialog.windowFlags() & Qt::WindowMaximizeButtonHint), asked);
        EXPECT_EQ(bool(dialog.windowFlags() & Qt::WindowMinimizeButtonHint), asked);
        EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        // A dialog is kept out of the taskbar.
        EXPECT_EQ(dialog.windowType(), asked ? Qt::Window : Qt::Dialog);
    }
}

TEST_F(WindowTest, ABrowserOpensCentredOnTheScreenAndADialogCentredOnItsOwner) {
    RecordingLogic browser(SampleBrowserForm());
    RecordingLogic dialog(SampleDialogForm());
    browser.clicks[u"cmdAction"] = [&](Button&) { dialog.window().ShowModal(); };
    browser.clicks[u"cmdCerrar"] = [&](Button&) { browser.window().Unload(); };
    QPoint browserWhenShown;
    QPoint browserWhenDialogOpened;
    QPoint dialogWhenShown;
    OnNextModal([&](QWidget& shown) {
        browserWhenShown = shown.frameGeometry().center();
        // The user moves the browser aside, then opens the dialog over it.
        shown.move(shown.pos() + QPoint(-200, -150));
        OnNextModal([&](QWidget& inner) {
            dialogWhenShown = inner.frameGeometry().center();
            browserWhenDialogOpened = shown.frameGeometry().center();
            inner.close();
        });
        ClickButton(shown, "cmdAction(0)");
        ClickButton(shown, "cmdCerrar");
    });

    browser.window().ShowModal();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((browserWhenShown - screen.center()).manhattanLength(), 2);
    EXPECT_NE(browserWhenDialogOpened, browserWhenShown);
    EXPECT_LE((dialogWhenShown - browserWhenDialogOpened).manhattanLength(), 2);
}

TEST_F(WindowTest, TabMovesThroughTheControlsInTheOrderOfTheirTabIndexes) {
    FormDefinition form = SampleDialogForm();
    // The definition lists its rows out of tab order; the tab indexes rule.
    std::reverse(form.controls.begin(), form.controls.end());
    RecordingLogic logic(form);
    std::vector<std::u16string> visited;
    logic.clicks[u"cmdCancelar"] = [&](Button&) { logic.window().Hide(); };
    OnNextModal([&](QWidget& shown) {
        for (int step = 0; step < 6; ++step) {
            const Control* focused = logic.window().FocusedControl();
            visited.push_back(focused ? focused->Name() : u"(none)");
            PressKey(Qt::Key_Tab);
        }
        ClickButton(shown, "cmdCancelar");
    });

    logic.window().ShowModal();

    EXPECT_EQ(visited, (std::vector<std::u16string>{u"ctrlCodigo", u"ctrlCodigoTel", u"ctrlNombre",
                                                    u"cmdAceptar", u"cmdCancelar", u"ctrlCodigo"}))
        << "the first control has the focus when the window opens; the banner takes none";
}

TEST_F(WindowTest, FocusSetByTheLogicBeforeOrDuringTheShowPutsTheCaretInThatEditBox) {
    RecordingLogic logic(SampleDialogForm());
    Window& window = logic.window();
    logic.onLoad = [&] { window.Get<TextField>(u"ctrlNombre").SetFocus(); };
    std::vector<const Control*> focused;
    std::vector<QWidget*> withTheKeyboard;
    OnNextModal([&](QWidget& shown) {
        // The keyboard reaches the window once it is active; the wait ends as soon as it is.
        static_cast<void>(QTest::qWaitForWindowActive(&shown));
        const auto look = [&] {
            focused.push_back(window.FocusedControl());
            withTheKeyboard.push_back(QApplication::focusWidget());
        };
        look();
        window.Get<TextField>(u"ctrlCodigo").SetFocus();
        look();
        window.Hide();
    });

    window.ShowModal();

    QWidget& dialog = *QtToolkit::WidgetOf(window);
    EXPECT_EQ(focused, (std::vector<const Control*>{&window.GetControl(u"ctrlNombre"),
                                                    &window.GetControl(u"ctrlCodigo")}));
    EXPECT_EQ(withTheKeyboard,
              (std::vector<QWidget*>{EditOf(dialog, "ctrlNombre"), EditOf(dialog, "ctrlCodigo")}));
}

TEST_F(WindowTest, FontsAndColoursAreTheStoredOnesOnTheDesktop) {
    RecordingLogic logic(SampleDialogForm());
    QWidget& dialog = *QtToolkit::WidgetOf(logic.window());
    // MS Sans Serif becomes the desktop's sans-serif at the same point size.
    const QString desktopSans = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* name : {"ctrlCodigo", "cmdAceptar"}) {
        const QFont font = dialog.findChild<QWidget*>(name)->font();
        EXPECT_EQ(font.family(), desktopSans) << name;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25) << name;
        EXPECT_EQ(font.weight(), QFont::Normal) << name;
    }
    EXPECT_EQ(dialog.font().family(), desktopSans) << "the window's own default font";

    // The button-face system colour paints the field like the desktop's buttons.
    QWidget& field = *QtToolkit::WidgetOf(logic.window().GetControl(u"ctrlCodigo"));
    EXPECT_TRUE(field.autoFillBackground());
    EXPECT_EQ(field.palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Button));
    // Buttons take their stored colours: 0x00D8E9EC is blue D8, green E9, red EC.
    QWidget& button = *QtToolkit::WidgetOf(logic.window().GetControl(u"cmdAceptar"));
    EXPECT_EQ(button.palette().color(QPalette::Button), QColor(0xEC, 0xE9, 0xD8));
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor(0, 0, 0));
}

TEST_F(WindowTest, EscAsksTheLogicToCloseAndAWindowReleasedByItsLogicTakesItsWidgetsAlong) {
    RecordingLogic logic(SampleDialogForm());
    logic.allowClose = false;
    logic.clicks[u"cmdCancelar"] = [&](Button&) { logic.ReleaseWindow(); };
    const QPointer<QWidget> widget = QtToolkit::WidgetOf(logic.window());
    OnNextModal([](QWidget& shown) {
        PressKey(Qt::Key_Escape);
        ClickButton(shown, "cmdCancelar");
    });

    logic.window().ShowModal();

    EXPECT_EQ(logic.events, (std::vector<std::u16string>{u"load", u"close request",
                                                         u"click cmdCancelar", u"unload"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(WindowTest, AFaultyFormIsRefusedAndLeavesNoWidget) {
    FormDefinition repeated = SampleDialogForm();
    repeated.controls.push_back(repeated.controls.front());
    FormDefinition mistyped = SampleDialogForm();
    std::erase_if(mistyped.controls.front().settings,
                  [](const Setting& setting) { return setting.name == u"max"; });
    mistyped.controls.front().settings.push_back({u"max", u"ocho"});
    const struct {
        const FormDefinition& form;
        LONG number;
        std::u16string_view named;  // the control or setting the error names
    } cases[] = {{repeated, rt::err::kInvalidCall, u"ctrlCodigo"},
                 {mistyped, rt::err::kTypeMismatch, u"max"}};
    for (const auto& c : cases) {
        const int widgetsBefore = QApplication::allWidgets().size();

        const rt::RuntimeError error = ErrorFrom([&] { RecordingLogic refused(c.form); });

        EXPECT_EQ(error.number(), c.number);
        EXPECT_NE(error.description().find(c.named), std::u16string::npos);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
    }
}

}  // namespace
}  // namespace mundor::ui::qt::testing
