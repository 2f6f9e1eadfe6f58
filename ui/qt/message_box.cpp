#include "ui/qt/message_box.h"

#include <map>

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "ui/qt/window_placement.h"

namespace mundor::ui::qt {

namespace {

QMessageBox::Icon QtIconFor(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton StandardButtonFor(LONG answer) {
    switch (answer) {
        case vbCancel:
            return QMessageBox::Cancel;
        case vbAbort:
            return QMessageBox::Abort;
        case vbRetry:
            return QMessageBox::Retry;
        case vbIgnore:
            return QMessageBox::Ignore;
        case vbYes:
            return QMessageBox::Yes;
        case vbNo:
            return QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

QString ShownTitleOf(const MessageBoxRequest& request) {
    return QString::fromStdU16String(request.title ? *request.title : request.applicationTitle);
}

// The answer of a box closed without a button press: its cancelling button, else its default.
LONG AnswerWithoutPress(const MessageBoxLook& look) {
    for (const LONG cancelling : {vbCancel, vbNo}) {
        if (look.Offers(cancelling)) return cancelling;
    }
    return look.defaultButton;
}

}  // namespace

QString CaptionForAnswer(LONG answer) {
    switch (answer) {
        case vbCancel:
            return QStringLiteral("Cancelar");
        case vbAbort:
            return QStringLiteral("&Anular");
        case vbRetry:
            return QStringLiteral("&Reintentar");
        case vbIgnore:
            return QStringLiteral("&Omitir");
        case vbYes:
            return QStringLiteral("&Sí");
        case vbNo:
            return QStringLiteral("&No");
        default:
            return QStringLiteral("Aceptar");
    }
}

LONG ShowMessageBox(const MessageBoxRequest& request) {
    const MessageBoxLook look = DescribeStyle(request.style);
    // On the heap, with a guard: its owner window could go while the box is up.
    const QPointer<QWidget> owner = CurrentOwner();
    QPointer<QMessageBox> box = new QMessageBox(owner);
    box->setIcon(QtIconFor(look.icon));
    box->setWindowTitle(ShownTitleOf(request));
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromStdU16String(request.prompt));
    std::map<const QAbstractButton*, LONG> answers;
    for (const LONG answer : look.buttons) {
        QPushButton* button = box->addButton(StandardButtonFor(answer));
        button->setText(CaptionForAnswer(answer));
        answers.emplace(button, answer);
        if (answer == look.defaultButton) box->setDefaultButton(button);
    }
    box->exec();
    // The keyboard goes back to the window the box stood over, as a window manager gives it
    // back; without one (Xvfb, kiosks) that window would be left inactive, deaf to its access
    // keys.
    if (owner && owner->isVisible()) owner->activateWindow();
    if (!box) return AnswerWithoutPress(look);
    const auto pressed = answers.find(box->clickedButton());
    const LONG answer = pressed != answers.end() ? pressed->second : AnswerWithoutPress(look);
    delete box.data();
    return answer;
}

}  // namespace mundor::ui::qt
