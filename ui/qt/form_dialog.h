// The top-level widget of a form: a fixed-size dialog that leaves closing to the window's logic.
// The close box and Esc ask `onCloseRequest` instead of closing; Enter clicks the button that
// has the focus and nothing else, since these windows have no default button.
#pragma once

#include <functional>

#include <QDialog>

namespace mundor::ui::qt {

class FormDialog final : public QDialog {
  public:
    explicit FormDialog(Qt::WindowFlags flags) : QDialog(nullptr, flags) {}

    std::function<void()> onCloseRequest;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void RequestClose();
};

}  // namespace mundor::ui::qt
