// The button control on a QPushButton. Its caption comes from `tx`, with its `&` accelerator
// (Alt and the letter click it); a click reaches the logic's OnClick with the element's index.
// No button is a window's default: Enter clicks the button that has the focus.
#pragma once

#include <QMetaObject>
#include <QPushButton>

#include "contracts/ui/controls.h"
#include "ui/qt/control_host.h"

namespace mundor::ui::qt {

class QtButton final : public Button, public WidgetBacked {
  public:
    QtButton(const ControlDefinition& definition, ControlHost& host, QWidget& parent);
    ~QtButton() override;
    QtButton(const QtButton&) = delete;
    QtButton& operator=(const QtButton&) = delete;

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { widget_->setFocus(Qt::OtherFocusReason); }
    std::u16string Caption() const override;

    QWidget& widget() const override { return *widget_; }

  private:
    void OnClicked();

    const ControlDefinition& definition_;
    ControlHost& host_;
    QPushButton* widget_;  // owned by the window's widget
    QMetaObject::Connection clicked_;
};

}  // namespace mundor::ui::qt
