// The controls on real widgets, beyond what every toolkit's controls do the same way (that is in
// ui_contract/): the titled text field's title and its share of the width and the Editable switch
// under the user's keys; the button's accelerator, the keys that click it and a button stored
// disabled; what the module banner shows, and that it never takes the focus.
#include <QLabel>

#include "modal_driver.h"
#include "ui/qt/module_banner.h"
#include "ui/qt/titled_text_edit.h"

namespace mundor::ui::qt::testing {
namespace {

using Events = std::vector<std::u16string>;

class ControlsTest : public QtToolkitTest {
  protected:
    ControlsTest() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { logic_.window().Hide(); };
    }
    TextField& field(std::u16string_view name) { return logic_.window().Get<TextField>(name); }

    // Shows the window, runs the user's steps on it, then presses OK.
    void WhileShown(const std::function<void(QWidget&)>& steps) {
        OnNextModal([&](QWidget& shown) {
            steps(shown);
            ClickButton(shown, "cmdAceptar");
        });
        logic_.window().ShowModal();
    }

    ModuleBanner& banner() { return logic_.window().Get<ModuleBanner>(u"axMirel"); }
    ElidedLabel& label() { return *dynamic_cast<ElidedLabel*>(QtToolkit::WidgetOf(banner())); }

    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(ControlsTest, TheUserCannotTypeIntoAFieldThatIsNotEditable) {
    field(u"ctrlNombre").SetValue(u"Jalisco");
    field(u"ctrlNombre").SetEditable(false);
    WhileShown([](QWidget& shown) { TypeInto(shown, "ctrlNombre", "Colima"); });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco");

    // Editable again, it takes what is typed.
    field(u"ctrlNombre").SetEditable(true);
    WhileShown([](QWidget& shown) { TypeInto(shown, "ctrlNombre", " y Colima"); });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco y Colima");
}

TEST_F(ControlsTest, TheTitleShowsBesideTheEditBoxAndTakesItsShareOfTheWidth) {
    const struct {
        const char* name;
        const char16_t* title;
        double share;
    } fields[] = {{"ctrlCodigoTel", u"Código de área:", 0.70},
                  {"ctrlNombre", u"Nombre", TitledTextEdit::kDefaultTitlePercent / 100.0}};
    WhileShown([&](QWidget& shown) {
        for (const auto& expected : fields) {
            SCOPED_TRACE(expected.name);
            QWidget& field = *shown.findChild<QWidget*>(expected.name);
            const QLabel& title = *field.findChild<QLabel*>();
            EXPECT_EQ(title.text(), QString::fromUtf16(expected.title));
            EXPECT_NEAR(static_cast<double>(title.width()) / field.width(), expected.share, 0.01);
            // The edit box takes the rest.
            EXPECT_EQ(field.findChild<QLineEdit*>()->geometry().right(), field.rect().right());
        }
    });
}

TEST_F(ControlsTest, TheCaptionShowsWithItsAcceleratorAndKeysClickTheButtons) {
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

TEST_F(ControlsTest, AButtonStoredDisabledCannotBeClicked) {
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

TEST_F(ControlsTest, TheBannerShowsItsModuleUntilTheIdentityIsSetAndEverythingInItsTooltip) {
    EXPECT_EQ(label().fullText(), "Form/dlgPais");
    EXPECT_EQ(label().toolTip(), "Form/dlgPais");

    banner().SetProperty(u"Nombre", u"libmundor.so");
    banner().SetProperty(u"Ubicacion", u"/opt/mundor/lib");
    banner().SetProperty(u"Version", u"0.9.0.10");

    EXPECT_EQ(label().toolTip(), "libmundor.so\n/opt/mundor/lib\n0.9.0.10\nForm/dlgPais");
    EXPECT_EQ(label().fullText(), "libmundor.so 0.9.0.10");
    const QString shown = label().text();
    EXPECT_TRUE(shown.startsWith("lib") && shown.endsWith(".10")) << shown.toStdString();
    EXPECT_LE(label().fontMetrics().horizontalAdvance(shown), label().contentsRect().width())
        << "the text fits the banner, shortened in the middle: name and version both show";
}

TEST_F(ControlsTest, TheBannerNeverTakesTheFocus) {
    logic_.window().GetControl(u"ctrlNombre").SetFocus();
    banner().SetFocus();
    EXPECT_EQ(logic_.window().FocusedControl(), &logic_.window().GetControl(u"ctrlNombre"));
}

}  // namespace
}  // namespace mundor::ui::qt::testing
