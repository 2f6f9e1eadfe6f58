// Puts the typing rules on a QLineEdit. Qt's own maximum length would also cut text set by code
// and would split a surrogate pair, so the rules run here instead, and only for the user's edits.
#pragma once

#include <QValidator>

#include "ui/typing/typing_rules.h"

class QLineEdit;

namespace mundor::ui::qt {

class TypingValidator final : public QValidator {
  public:
    TypingValidator(TypingRules rules, QObject* parent);

    // Accepts any text; reshapes what the user inserted to fit the rules.
    State validate(QString& input, int& cursor) const override;

    // Sets the edit's text from code: taken exactly, and what the user's next edit starts from.
    void SetTextFromCode(QLineEdit& edit, const QString& text);

  private:
    TypingRules rules_;
    bool fromCode_ = false;
    mutable QString accepted_;  // the edit's text before the edit being validated
};

}  // namespace mundor::ui::qt
