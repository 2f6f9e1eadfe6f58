// The titled text field on real widgets: its title and the title's share of the width, a paste
// under the length limit, and the Editable switch under the user's keys. What code sets and what
// typing leaves, the same on every toolkit, is in ui_contract/.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

#include "modal_driver.h"
#include "ui/qt/titled_text_edit.h"

namespace mundor::ui::qt::testing {
namespace {

class TextFieldTest : public QtToolkitTest {
  protected:
    TextFieldTest() {
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

    RecordingLogic logic_{SampleDialogForm()};
};

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

    // Editable again, it takes what is typed.
    field(u"ctrlNombre").SetEditable(true);
    WhileShown([](QWidget& shown) { TypeInto(shown, "ctrlNombre", " y Colima"); });
    EXPECT_EQ(field(u"ctrlNombre").Value(), u"Jalisco y Colima");
}

TEST_F(TextFieldTest, TheTitleShowsBesideTheEditBoxAndTakesItsShareOfTheWidth) {
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

}  // namespace
}  // namespace mundor::ui::qt::testing
