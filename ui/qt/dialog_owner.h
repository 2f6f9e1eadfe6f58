// The ownership of a window's top-level widget.
#pragma once

#include <QPointer>

#include "ui/qt/form_dialog.h"

namespace mundor::ui::qt {

// Owns a window's dialog. It deletes the dialog at once, or leaves it to the event loop while a
// widget event is being handled: the logic may release its window from a click on one of its
// own buttons, and Qt must not be left delivering that click to a deleted button.
class DialogOwner {
  public:
    explicit DialogOwner(FormDialog* dialog) : dialog_(dialog) {}
    ~DialogOwner();
    DialogOwner(const DialogOwner&) = delete;
    DialogOwner& operator=(const DialogOwner&) = delete;

    FormDialog& operator*() const { return *dialog_; }
    FormDialog* operator->() const { return dialog_; }

  private:
    QPointer<FormDialog> dialog_;
};

}  // namespace mundor::ui::qt
