// The button on real widgets: its caption and accelerator, clicks with the array index, the
// keyboard (Enter and Space on the focused button, Alt and the letter), and enab.
#include <QAbstractButton>
#include <QApplication>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"

namespace mundor::ui::qt::testing {
namespace {

using Events = std::vector<std::u16string>;

class ButtonTest : public QtToolkitTest {
  protected:
    ButtonTest() {
        logic_.clicks[u"cmdCerrar"] = [this](Button&) { logic_.window().Unload(); };
    }
    Window& window() { return logic_.window(); }

    // Shows the browser, runs the user's steps on it, then closes it with its close button.
    void WhileShown(const std::function<void(QWidget&)>& steps) {
        OnNextModal([&](QWidget& shown) {
            steps(shown);
            ClickButton(shown, "cmdCerrar");
        });
        window().ShowModal();
    }

    RecordingLogic logic_{SampleBrowserForm()};
};

TEST_F(ButtonTest, TheCaptionIsTheDefaultPropertyAndShowsWithItsAccelerator) {
    EXPECT_EQ(window().Get<Button>(u"cmdCerrar").Caption(), u"&Cerrar");
    EXPECT_EQ(window().Get<Button>(u"cmdAction", 1).Caption(), u"Agregar Estado");
    QWidget& dialog = *QtToolkit::WidgetOf(window());
    EXPECT_EQ(ButtonNamed(dialog, "cmdCerrar")->text(), "&Cerrar");
    EXPECT_EQ(ButtonNamed(dialog, "cmdCerrar")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
}

TEST_F(ButtonTest, AClickReachesTheLogicWithTheArrayIndex) {
    WhileShown([](QWidget& shown) {
        ClickButton(shown, "cmdAction(2)");
        ClickButton(shown, "cmdAction(0)");
        ClickButton(shown, "cmdEdit");
    });
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAction(2)", u"click cmdAction(0)",
                                     u"click cmdEdit", u"click cmdCerrar", u"unload"}));
}

TEST_F(ButtonTest, KeysClickButtons) {
    // Enter and Space click the focused button, Enter elsewhere nothing; Alt+C clicks Cerrar.
    OnNextModal([&](QWidget&) {
        window().Get<Button>(u"cmdAction", 1).SetFocus();
        PressKey(Qt::Key_Return);
        window().Get<Button>(u"cmdDel").SetFocus();
        PressKey(Qt::Key_Space);
        window().Get<Tree>(u"tvwPaises").SetFocus();
        PressKey(Qt::Key_Return);
        PressKey(Qt::Key_C, Qt::AltModifier);
    });
    window().ShowModal();
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAction(1)", u"click cmdDel",
                                     u"click cmdCerrar", u"unload"}));
}

TEST_F(ButtonTest, AButtonStoredDisabledCannotBeClicked) {
    FormDefinition form = SampleBrowserForm();
    for (ControlDefinition& row : form.controls) {
        if (row.name != u"cmdDel") continue;
        for (Setting& setting : row.settings) {
            if (setting.name == u"enab") setting.value = false;
        }
    }
    RecordingLogic logic(form);
    logic.clicks[u"cmdCerrar"] = [&](Button&) { logic.window().Unload(); };
    OnNextModal([](QWidget& shown) {
        EXPECT_FALSE(ButtonNamed(shown, "cmdDel")->isEnabled());
        ClickButton(shown, "cmdDel");
        ClickButton(shown, "cmdCerrar");
    });

    logic.window().ShowModal();

    EXPECT_EQ(logic.events, (Events{u"load", u"click cmdCerrar", u"unload"}));
}

}  // namespace
}  // namespace mundor::ui::qt::testing
