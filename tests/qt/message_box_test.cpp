// The message box on a real QMessageBox: each style's icon, buttons (with Spanish captions) and
// default button, the title, and the keys: Enter presses the default button, Esc cancels.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "modal_driver.h"
#include "sample_forms.h"
#include "ui/qt/message_box.h"

namespace mundor::ui::qt::testing {
namespace {

// What the user saw in a box.
struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList captions;  // in the order the box shows them, without accelerator marks
    QString defaultCaption;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

SeenBox Look(QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (!box) {
        ADD_FAILURE() << "the modal widget is not a message box";
        return {};
    }
    SeenBox seen{box->icon(), {}, {}, box->windowTitle(), box->text(), box->textFormat()};
    QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    for (const QPushButton* button : buttons) {
        if (!button->isVisible()) continue;
        seen.captions << QString(button->text()).remove(u'&');
    }
    if (box->defaultButton())
        seen.defaultCaption = QString(box->defaultButton()->text()).remove(u'&');
    return seen;
}

class MessageBoxTest : public QtToolkitTest {
  protected:
    // Shows the box, looks at it, then answers with the key.
    LONG ShowAndPress(LONG style, Qt::Key key, std::optional<std::u16string_view> title = {}) {
        OnNextModal([this, key](QWidget& modal) {
            seen_ = Look(modal);
            PressKey(key);
        });
        return MsgBox(SampleApp(), u"¿Seguro desea eliminar este elemento?", style, title);
    }

    SeenBox seen_;
};

TEST_F(MessageBoxTest, EscAnswersNoInAYesNoBoxAndAceptarInAnOkBox) {
    EXPECT_EQ(ShowAndPress(308, Qt::Key_Escape), vbNo);
    EXPECT_EQ(ShowAndPress(vbCritical, Qt::Key_Escape), vbOK);
    EXPECT_EQ(ShowAndPress(vbOKCancel, Qt::Key_Escape), vbCancel);
    EXPECT_EQ(ShowAndPress(vbYesNoCancel, Qt::Key_Escape), vbCancel);
}

TEST_F(MessageBoxTest, ClickingSiAnswersYes) {
    OnNextModal([](QWidget& modal) {
        for (QPushButton* button : modal.findChildren<QPushButton*>()) {
            if (button->text().remove(u'&') == QString::fromUtf16(u"Sí")) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    EXPECT_EQ(MsgBox(SampleApp(), u"¿Seguro?", 308), vbYes);
}

TEST_F(MessageBoxTest, AltAndTheUnderlinedLetterPressSi) {
    OnNextModal([](QWidget&) { PressKey(Qt::Key_S, Qt::AltModifier); });
    EXPECT_EQ(MsgBox(SampleApp(), u"¿Seguro?", 308), vbYes);
}

// Each style's icon, buttons and default button, and Enter answers with the default button.
TEST_F(MessageBoxTest, EachStyleShowsItsIconButtonsAndDefault) {
    struct Case {
        LONG style;
        QMessageBox::Icon icon;
        QStringList captions;  // any order: the desktop orders a box's buttons
        QString defaultCaption;
    };
    const QString si = QString::fromUtf16(u"Sí");
    const Case cases[] = {
        {vbOKOnly, QMessageBox::NoIcon, {"Aceptar"}, "Aceptar"},
        {vbCritical, QMessageBox::Critical, {"Aceptar"}, "Aceptar"},
        {vbInformation, QMessageBox::Information, {"Aceptar"}, "Aceptar"},
        {308, QMessageBox::Warning, {si, "No"}, "No"},  // the delete confirmation
        {vbOKCancel + vbQuestion, QMessageBox::Question, {"Aceptar", "Cancelar"}, "Aceptar"},
        {vbOKCancel + vbDefaultButton2, QMessageBox::NoIcon, {"Aceptar", "Cancelar"}, "Cancelar"},
        {vbAbortRetryIgnore + vbDefaultButton3,
         QMessageBox::NoIcon,
         {"Anular", "Reintentar", "Omitir"},
         "Omitir"},
        {vbYesNoCancel + vbExclamation, QMessageBox::Warning, {si, "No", "Cancelar"}, si},
        {vbRetryCancel + vbCritical,
         QMessageBox::Critical,
         {"Reintentar", "Cancelar"},
         "Reintentar"},
        {vbYesNo + vbDefaultButton3, QMessageBox::NoIcon, {si, "No"}, si},
    };
    for (const Case& expected : cases) {
        const LONG answer = ShowAndPress(expected.style, Qt::Key_Return);
        EXPECT_EQ(seen_.icon, expected.icon) << expected.style;
        QStringList shown = seen_.captions;
        QStringList wanted = expected.captions;
        shown.sort();
        wanted.sort();
        EXPECT_EQ(shown, wanted) << expected.style;
        EXPECT_EQ(seen_.defaultCaption, expected.defaultCaption) << expected.style;
        EXPECT_EQ(QString(CaptionForAnswer(answer)).remove(u'&'), expected.defaultCaption)
            << "Enter answers with the default button, style " << expected.style;
    }
    EXPECT_EQ(seen_.text, QString::fromUtf16(u"¿Seguro desea eliminar este elemento?"));
}

TEST_F(MessageBoxTest, ABoxWithoutATitleShowsTheApplicationTitle) {
    ShowAndPress(vbInformation, Qt::Key_Return);
    EXPECT_EQ(seen_.title, "Mundor");
    ShowAndPress(vbInformation, Qt::Key_Return, u"Agregar Estado");
    EXPECT_EQ(seen_.title, "Agregar Estado");
}

TEST_F(MessageBoxTest, ThePromptIsShownAsPlainText) {
    OnNextModal([this](QWidget& modal) {
        seen_ = Look(modal);
        PressKey(Qt::Key_Return);
    });
    MsgBox(SampleApp(), u"<b>(5) Nombre</b> & más", vbCritical);
    EXPECT_EQ(seen_.text, QString::fromUtf16(u"<b>(5) Nombre</b> & más"));
    EXPECT_EQ(seen_.format, Qt::PlainText);
}

TEST_F(MessageBoxTest, AnUnknownStyleIsAnInvalidCallAndShowsNothing) {
    const int widgetsBefore = QApplication::topLevelWidgets().size();
    EXPECT_EQ(ErrorFrom([] { MsgBox(SampleApp(), u"x", 6); }).number(), rt::err::kInvalidCall);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), widgetsBefore);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
