// The titled text field on real widgets: its title, what code sets, what the user types (length
// limit, upper case), the Editable switch and the title's share of the width.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "ui/qt/titled_text_edit.h"

namespace mundor::ui::qt::testing {
namespace {

class TextFieldTest : public QtToolkitTest {
  protected:
    TextFieldTest() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { logic_.window().Hide(); };
    }
    TextField& field(std::u16string_view name) { return logic_.window().Get<TextField>(name); }
    QWidget& dialog() { return *QtToolkit::WidgetOf(logic_.window()); }

    // Shows the window, runs the user's steps on it, then presses OK.
    void WhileShown(const std::function<void(QWidget&)>& steps) {
        OnNextModal([&](QWidget& shown) {
            steps(shown);
            ClickButton(shown, "cmdAceptar");
        });
        logic_.window().ShowModal();
    }

    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(TextFieldTest, ShowsItsTitleBesideAnEmptyEditableBox) {
    QWidget& codigo = *dialog().findChild<QWidget*>("ctrlCodigo");
    EXPECT_EQ(codigo.findChild<QLabel*>()->text(), QString::fromUtf16(u"Código"));
    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"");
    EXPECT_TRUE(field(u"ctrlCodigo").Editable());
}

TEST_F(TextFieldTest, KeepsWhatCodeSetsExactlyWithoutLimitOrCase) {
    const std::u16string texts[] = {
        u"  Ñandú, São Paulo, Zürich  ",
        u"\U0001D11E clave \U0001F600",
        std::u16string(u"a\0b", 3),
        std::u16string(1, char16_t{0xD800}),
        u"",
        std::u16string(40000, u'é'),
    };
    for (const std::u16string& text : texts) {
        field(u"ctrlNombre").SetValue(text);
        EXPECT_EQ(field(u"ctrlNombre").Value(), text);
    }
    field(u"ctrlCodigo").SetValue(u"mucho más de ocho");
    EXPECT_EQ(field(u"ctrlCodigo").Value(), u"mucho más de ocho")
        << "max and ccase shape typing only";
}

TEST_F(TextFieldTest, TypingIntoTheCodeFieldLeavesWhatItLeavesOnEveryToolkit) {
    for (const Typing& typing : CodeFieldTypings()) {
        SCOPED_TRACE(QString::fromStdU16String(typing.typed).toStdString());
        field(u"ctrlCodigo").SetValue(u"");
        WhileShown([&](QWidget& shown) {
            TypeInto(shown, "ctrlCodigo", QString::fromStdU16String(typing.typed));
        });
        EXPECT_EQ(field(u"ctrlCodigo").Value(), typing.left);
    }
}

TEST_F(TextFieldTest, APasteIsCutToTheRoomLeftAndACharacterIsNeverSplit) {
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

TEST_F(TextFieldTest, TheUserCannotTypeIntoAFieldThatIsNotEditable) {
    field(u"ctrlNombre").SetValue(u"Jalisco");
    field(u"ctrlNombre").SetEditable(false);
    WhileShown([](QWidget& shown) { TypeInto(shown, "ctrlNombre", "Colima"); });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco");
    EXPECT_FALSE(field(u"ctrlNombre").Editable());

    // Editable again, it keeps what is typed as typed: no limit, no case, spaces and all.
    field(u"ctrlNombre").SetEditable(true);
    WhileShown([](QWidget& shown) {
        TypeInto(shown, "ctrlNombre", QString::fromUtf16(u"  de México  "));
    });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco  de México  ");
}

TEST_F(TextFieldTest, TheTitleTakesItsShareOfTheWidthAndTheEditBoxTheRest) {
    struct Shares {
        double title = 0;
        int editRight = 0;
        int fieldRight = 0;
    };
    const auto sharesOf = [](QWidget& shown, const char* name) {
        QWidget& field = *shown.findChild<QWidget*>(name);
        return Shares{static_cast<double>(field.findChild<QLabel*>()->width()) / field.width(),
                      field.findChild<QLineEdit*>()->geometry().right(), field.rect().right()};
    };
    Shares codigoTel;
    Shares nombre;
    WhileShown([&](QWidget& shown) {
        codigoTel = sharesOf(shown, "ctrlCodigoTel");
        nombre = sharesOf(shown, "ctrlNombre");
    });

    EXPECT_NEAR(codigoTel.title, 0.70, 0.01);
    EXPECT_NEAR(nombre.title, TitledTextEdit::kDefaultTitlePercent / 100.0, 0.01);
    EXPECT_EQ(nombre.editRight, nombre.fieldRight);
    EXPECT_EQ(codigoTel.editRight, codigoTel.fieldRight);
}

TEST_F(TextFieldTest, SetFocusPutsTheCaretInTheEditBox) {
    const Control* focused = nullptr;
    QWidget* focusWidget = nullptr;
    OnNextModal([&](QWidget& shown) {
        field(u"ctrlNombre").SetFocus();
        focused = logic_.window().FocusedControl();
        // The keyboard reaches the window once it is active; the wait ends as soon as it is.
        static_cast<void>(QTest::qWaitForWindowActive(&shown));
        focusWidget = QApplication::focusWidget();
        ClickButton(shown, "cmdAceptar");
    });
    logic_.window().ShowModal();

    EXPECT_EQ(focused, &logic_.window().GetControl(u"ctrlNombre"));
    EXPECT_EQ(focusWidget, EditOf(dialog(), "ctrlNombre"));
}

}  // namespace
}  // namespace mundor::ui::qt::testing
