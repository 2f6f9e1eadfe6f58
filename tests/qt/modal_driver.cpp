#include "modal_driver.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include "next_modal.h"

namespace mundor::ui::qt::testing {

namespace {

constexpr int kPollMilliseconds = 5;
constexpr int kWatchdogMilliseconds = 30000;

}  // namespace

void OnNextModal(std::function<void(QWidget& modal)> step) {
    OnModalAbove(QApplication::activeModalWidget(), kPollMilliseconds, std::move(step));
}

QAbstractButton* ButtonNamed(QWidget& window, const QString& name) {
    auto* button = window.findChild<QAbstractButton*>(name);
    if (!button) ADD_FAILURE() << "no button " << name.toStdString() << " on the window";
    return button;
}

QLineEdit* EditOf(QWidget& window, const QString& fieldName) {
    QWidget* field = window.findChild<QWidget*>(fieldName);
    auto* edit = field ? field->findChild<QLineEdit*>() : nullptr;
    if (!edit) ADD_FAILURE() << "no text field " << fieldName.toStdString() << " on the window";
    return edit;
}

void ClickButton(QWidget& window, const QString& name) {
    if (QAbstractButton* button = ButtonNamed(window, name))
        QTest::mouseClick(button, Qt::LeftButton);
}

void TypeKeys(QLineEdit& edit, const QString& text) {
    edit.setFocus(Qt::MouseFocusReason);
    // One key per character, a surrogate pair included; QTest::keyClicks knows Latin-1 only.
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        const QString typed = text.mid(at, length);
        const auto key = static_cast<Qt::Key>(length == 1 ? typed.toUpper()[0].unicode() : 0);
        QTest::sendKeyEvent(QTest::Click, &edit, key, typed, Qt::NoModifier);
        at += length;
    }
}

void TypeInto(QWidget& window, const QString& fieldName, const QString& text) {
    if (QLineEdit* edit = EditOf(window, fieldName)) TypeKeys(*edit, text);
}

void Retype(QWidget& window, const QString& fieldName, const QString& text) {
    QLineEdit* edit = EditOf(window, fieldName);
    if (!edit) return;
    edit->selectAll();
    TypeKeys(*edit, text);
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // The key goes to the window in front, to its focused widget, as a person's would.
    QWidget* front = QApplication::activeModalWidget();
    if (!front) front = QApplication::activeWindow();
    if (!front) {
        ADD_FAILURE() << "no window to type into";
        return;
    }
    // Accelerators work in the active window only. A window just shown becomes active a moment
    // later; the wait returns as soon as it has.
    if ((modifiers & Qt::AltModifier) && !front->isActiveWindow()) {
        static_cast<void>(QTest::qWaitForWindowActive(front));
    }
    QTest::keyClick(front->focusWidget() ? front->focusWidget() : front, key, modifiers);
}

Watchdog::Watchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
        std::fprintf(stderr, "A modal loop was still running after %d ms: the test hangs.\n",
                     kWatchdogMilliseconds);
        std::abort();
    });
    timer_.start(kWatchdogMilliseconds);
}

QtToolkitTest::~QtToolkitTest() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace mundor::ui::qt::testing
