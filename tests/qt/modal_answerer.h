// Answers the modal widgets (message boxes, progress dialogs) that appear while a test's call
// runs: a timer polls QApplication::activeModalWidget() from inside the modal's own event loop,
// never after a fixed delay, and hands each new one to the next planned answer. A modal widget
// with no answer planned is recorded and closed, so that the test fails instead of hanging.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace mundor::ui::qt::testing {

// What a message box showed.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;  // captions, in the box's order
    QString defaultButton;
    Qt::TextFormat format = Qt::AutoText;
};

class ModalAnswerer {
  public:
    using Answer = std::function<void(QWidget& modal)>;

    ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    ModalAnswerer& Then(Answer answer);
    // Presses the button with that caption on the next modal widget.
    ModalAnswerer& ThenPress(const QString& caption);

    const std::vector<SeenBox>& boxes() const { return boxes_; }
    int answered() const { return answered_; }
    // Modal widgets that came with no answer planned (their window titles).
    const QStringList& unexpected() const { return unexpected_; }

  private:
    void Poll();

    QTimer timer_;
    std::deque<Answer> answers_;
    QPointer<QWidget> last_;
    std::vector<SeenBox> boxes_;
    QStringList unexpected_;
    int answered_ = 0;
};

// Clicks the button with that caption inside `parent`; fails the test when there is none.
void PressButton(QWidget& parent, const QString& caption);

}  // namespace mundor::ui::qt::testing
