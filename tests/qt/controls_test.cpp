// The controls on real widgets, beyond what every toolkit's controls do the same way (that is in
// ui_contract/): the titled text field's title and its share of the width, a paste under the
// length limit and the Editable switch under the user's keys; the button's accelerator, the keys
// that click it and a button stored disabled; what the module banner shows, and that it never
// takes the focus.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
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

TEST_F(ControlsTest, APasteIsCutToTheRoomLeftAndACharacterIsNeverSplit) {
    WhileShown([](QWidget& shown) {
        TypeInto(shown, "ctrlCodigo", "ab");
        QApplication::clipboard()->setText("cdefghijkl");
        PressKey(Qt::Key_V, Qt::ControlModifier);
    });
    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"ABCDEFGH");

    field(u"ctrlCodigo").SetValue(u"ABCDEFG");
    WhileShown([](QWidget& shown) {
        QLineEdit* edit = EditOf(shown, "ctrlCodigo");
        edit->setFocus();
        edit->end(false);
        // An input method commits a character outside the BMP in one go.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString::fromUtf16(u"\U0001F600"));
        QApplication::sendEvent(edit, &press);
    });
    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"ABCDEFG");
}

TEST_F(ControlsTest, TheUserCannotTypeIntoAFieldThatIsNotEditable) {
    field(u"ctrlNombre").SetValue(u"Jalisco");
    field(u"ctrlNombre").SetEditable(false);
    WhileShown([](QWidget& shown) { TypeInto(shown, "ctrlNombre", "Colima"); });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco");
    EXPECT_FALSE(field(u"ctrlNombre").Editable());

    // Editable again, it takes what is typed.
    field(u"ctrlNombre").SetEditable(true);
    WhileShown([](QWidget& shown) { TypeInto(shown, "ctrlNombre", " y Colima"); });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco y Colima");
}

TEST_F(ControlsTest, TheTitleShowsBesideTheEditBoxAndTakesItsShareOfTheWidth) {
    struct Shares {
        QString title;
        double share = 0;
        int editRight = 0;
        int fieldRight = 0;
    };
    const auto sharesOf = [](QWidget& shown, const char* name) {
        QWidget& field = *shown.findChild<QWidget*>(name);
        const QLabel& title = *field.findChild<QLabel*>();
        return Shares{title.text(), static_cast<double>(title.width()) / field.width(),
                      field.findChild<QLineEdit*>()->geometry().right(), field.rect().right()};
    };
    Shares codigoTel;
    Shares nombre;
    WhileShown([&](QWidget& shown) {
        codigoTel = sharesOf(shown, "ctrlCodigoTel");
        nombre = sharesOf(shown, "ctrlNombre");
    });

    EXPECT_EQ(codigoTel.title, QString::fromUtf16(u"Código de área:"));
    EXPECT_NEAR(codigoTel.share, 0.70, 0.01);
    EXPECT_NEAR(nombre.share, TitledTextEdit::kDefaultTitlePercent / 100.0, 0.01);
    EXPECT_EQ(nombre.editRight, nombre.fieldRight);
    EXPECT_EQ(codigoTel.editRight, codigoTel.fieldRight);
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
