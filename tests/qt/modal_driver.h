// Driving modal windows and message boxes from a test: a step runs on the next modal widget to
// appear, found by polling QApplication::activeModalWidget() from a timer (never after a fixed
// delay), and acts on it with the mouse and keyboard as a user would.
#pragma once

#include <functional>

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "contracts/ui/ui.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "ui/qt/qt_toolkit.h"

namespace mundor::ui::qt::testing {

// The sample forms, the recording logic and ErrorFrom, shared with the headless suite.
using namespace ui::testing;

// Runs `step` once, on the next modal widget that appears above the one shown now (if any).
void OnNextModal(std::function<void(QWidget& modal)> step);

// The widgets of a shown window, by the control's name ("cmdAction(1)" for an array element).
QAbstractButton* ButtonNamed(QWidget& window, const QString& name);
QLineEdit* EditOf(QWidget& window, const QString& fieldName);

// A left click in the middle of the named button.
void ClickButton(QWidget& window, const QString& name);
// Focuses the edit box and types the text key by key, a character outside the BMP as one key.
void TypeKeys(QLineEdit& edit, const QString& text);
// Focuses the field's edit box and types the text key by key.
void TypeInto(QWidget& window, const QString& fieldName, const QString& text);
// Types over the field's whole text, as a user replaces what a field holds.
void Retype(QWidget& window, const QString& fieldName, const QString& text);
// A key pressed and released on the focused widget of the window in front.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Fails the run loudly instead of letting a modal loop that nobody ends hang the test.
class Watchdog {
  public:
    Watchdog();

  private:
    QTimer timer_;
};

// The Qt toolkit installed on the test's thread, with a watchdog; widgets that windows left to
// the event loop are deleted when the test ends.
class QtToolkitTest : public ::testing::Test {
  protected:
    ~QtToolkitTest() override;

    QtToolkit toolkit_;
    ScopedThreadToolkit installed_{toolkit_};
    Watchdog watchdog_;
};

}  // namespace mundor::ui::qt::testing
