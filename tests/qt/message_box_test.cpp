// The message box on a real QMessageBox: each style's icon, buttons (with Spanish captions) and
// default button, the title, and the keys: Enter presses the default button, Esc cancels.
#include <QMessageBox>

#include "modal_answerer.h"
#include "modal_driver.h"
#include "ui/qt/message_box.h"

namespace mundor::ui::qt::testing {
namespace {

// A caption as the user reads it, without its accelerator mark.
QString Plain(QString caption) {
    return caption.remove(u'&');
}

class MessageBoxTest : public QtToolkitTest {
  protected:
    // Shows the box, looks at it, then answers with the key.
    LONG ShowAndPress(LONG style, Qt::Key key, std::optional<std::u16string_view> title = {},
                      std::u16string_view prompt = u"¿Seguro desea eliminar este elemento?") {
        ModalAnswerer answerer;
        answerer.Then([key](QWidget&) { PressKey(key); });
        const LONG answer = MsgBox(SampleApp(), prompt, style, title);
        EXPECT_EQ(answerer.boxes().size(), 1u);
        if (!answerer.boxes().empty()) seen_ = answerer.boxes().front();
        return answer;
    }

    SeenBox seen_;
};

TEST_F(MessageBoxTest, EscAnswersNoInAYesNoBoxAndAceptarInAnOkBox) {
    EXPECT_EQ(ShowAndPress(308, Qt::Key_Escape), vbNo);
    EXPECT_EQ(ShowAndPress(vbCritical, Qt::Key_Escape), vbOK);
    EXPECT_EQ(ShowAndPress(vbOKCancel, Qt::Key_Escape), vbCancel);
    EXPECT_EQ(ShowAndPress(vbYesNoCancel, Qt::Key_Escape), vbCancel);
}

// Each style's icon, buttons and default button, and Enter answers with the default button.
TEST_F(MessageBoxTest, EachStyleShowsItsIconButtonsAndDefault) {
    const struct {
        LONG style;
        QMessageBox::Icon icon;
        const char16_t* captions;  // sorted (the desktop orders a box's buttons), '*' the default
    } cases[] = {
        {vbOKOnly, QMessageBox::NoIcon, u"*Aceptar"},
        {vbCritical, QMessageBox::Critical, u"*Aceptar"},
        {vbInformation, QMessageBox::Information, u"*Aceptar"},
        {308, QMessageBox::Warning, u"*No Sí"},  // the delete confirmation
        {vbOKCancel + vbQuestion, QMessageBox::Question, u"*Aceptar Cancelar"},
        {vbOKCancel + vbDefaultButton2, QMessageBox::NoIcon, u"Aceptar *Cancelar"},
        {vbAbortRetryIgnore + vbDefaultButton3, QMessageBox::NoIcon, u"Anular *Omitir Reintentar"},
        {vbYesNoCancel + vbExclamation, QMessageBox::Warning, u"Cancelar No *Sí"},
        {vbRetryCancel + vbCritical, QMessageBox::Critical, u"Cancelar *Reintentar"},
        {vbYesNo + vbDefaultButton3, QMessageBox::NoIcon, u"No *Sí"},
    };
    for (const auto& expected : cases) {
        const LONG answer = ShowAndPress(expected.style, Qt::Key_Return);
        QStringList shown;
        for (const QString& caption : seen_.buttons) shown << Plain(caption);
        shown.sort();
        if (const qsizetype at = shown.indexOf(Plain(seen_.defaultButton)); at >= 0) {
            shown[at].prepend(u'*');
        }
        EXPECT_EQ(shown.join(u' '), QString::fromUtf16(expected.captions)) << expected.style;
        EXPECT_EQ(seen_.icon, expected.icon) << expected.style;
        EXPECT_EQ(Plain(CaptionForAnswer(answer)), Plain(seen_.defaultButton))
            << "Enter answers with the default button, style " << expected.style;
    }
    EXPECT_EQ(seen_.text, QString::fromUtf16(u"¿Seguro desea eliminar este elemento?"));
}

TEST_F(MessageBoxTest, ABoxWithoutATitleShowsTheApplicationTitleAndThePromptIsPlainText) {
    ShowAndPress(vbInformation, Qt::Key_Return);
    EXPECT_EQ(seen_.title, "Mundor");
    ShowAndPress(vbCritical, Qt::Key_Return, u"Agregar Estado", u"<b>(5) Nombre</b> & más");
    EXPECT_EQ(seen_.title, "Agregar Estado");
    EXPECT_EQ(seen_.text, QString::fromUtf16(u"<b>(5) Nombre</b> & más"));
    EXPECT_EQ(seen_.format, Qt::PlainText);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
