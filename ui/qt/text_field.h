// The titled text field control on a TitledTextEdit.
#pragma once

#include "contracts/ui/controls.h"
#include "ui/qt/control_host.h"
#include "ui/qt/titled_text_edit.h"

namespace mundor::ui::qt {

class QtTextField final : public TextField, public WidgetBacked {
  public:
    QtTextField(const ControlDefinition& definition, QWidget& parent);

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { widget_->setFocus(Qt::OtherFocusReason); }
    std::u16string Value() const override { return widget_->Text().toStdU16String(); }
    void SetValue(std::u16string_view text) override;
    bool Editable() const override { return widget_->Editable(); }
    void SetEditable(bool editable) override { widget_->SetEditable(editable); }

    QWidget& widget() const override { return *widget_; }

  private:
    const ControlDefinition& definition_;
    TitledTextEdit* widget_;  // owned by the window's widget
};

}  // namespace mundor::ui::qt
