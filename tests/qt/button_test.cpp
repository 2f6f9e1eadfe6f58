// The button on real widgets: its accelerator, the keys that click it (Enter and Space on the
// focused button, Alt and the letter), and a button stored disabled. Its caption and a click
// with the array index, the same on every toolkit, are in ui_contract/.
#include "modal_driver.h"

namespace mundor::ui::qt::testing {
namespace {

using Events = std::vector<std::u16string>;
using ButtonTest = QtToolkitTest;

TEST_F(ButtonTest, TheCaptionShowsWithItsAcceleratorAndKeysClickTheButtons) {
    RecordingLogic logic(SampleBrowserForm());
    Window& window = logic.window();
    logic.clicks[u"cmdCerrar"] = [&](Button&) { window.Unload(); };
    EXPECT_EQ(ButtonNamed(*QtToolkit::WidgetOf(window), "cmdCerrar")->shortcut(),
              QKeySequence(Qt::ALT | Qt::Key_C));
    // Enter and Space click the focused button, Enter elsewhere nothing; Alt+C clicks Cerrar.
    OnNextModal([&](QWidget&) {
        window.Get<Button>(u"cmdAction", 1).SetFocus();
        PressKey(Qt::Key_Return);
        window.Get<Button>(u"cmdDel").SetFocus();
        PressKey(Qt::Key_Space);
        window.Get<Tree>(u"tvwPaises").SetFocus();
        PressKey(Qt::Key_Return);
        PressKey(Qt::Key_C, Qt::AltModifier);
    });

    window.ShowModal();

    EXPECT_EQ(logic.events, (Events{u"load", u"click cmdAction(1)", u"click cmdDel",
                                    u"click cmdCerrar", u"unload"}));
}

TEST_F(ButtonTest, AButtonStoredDisabledCannotBeClicked) {
    FormDefinition form = SampleBrowserForm();
    for (Setting& setting : form.controls[6].settings) {  // cmdDel's
        if (setting.name == u"enab") setting.value = false;
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
