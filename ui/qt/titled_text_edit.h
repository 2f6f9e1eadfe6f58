// The titled text field as a widget: a title on the left, taking `titlewidthp` percent of the
// width (kDefaultTitlePercent when the field does not store it), and an edit box in the rest,
// both centred in the field's height. The field's back colour fills the title's side.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "contracts/ui/form_definition.h"
#include "ui/qt/typing_validator.h"

namespace mundor::ui::qt {

class TitledTextEdit final : public QWidget {
  public:
    // A third of the width, a little more: room for "Código" on a short code field.
    static constexpr int kDefaultTitlePercent = 35;

    TitledTextEdit(const ControlDefinition& definition, QWidget* parent);

    QString Text() const { return edit_->text(); }
    // Code's text: kept exactly, neither cut to `max` nor cased.
    void SetText(const QString& text) { validator_->SetTextFromCode(*edit_, text); }
    bool Editable() const { return !edit_->isReadOnly(); }
    void SetEditable(bool editable);

    QLabel& title() const { return *title_; }
    QLineEdit& edit() const { return *edit_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void LayOut();

    QLabel* title_;
    QLineEdit* edit_;
    TypingValidator* validator_;
    int titlePercent_;
};

}  // namespace mundor::ui::qt
