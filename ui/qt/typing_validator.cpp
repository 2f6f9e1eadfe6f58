#include "ui/qt/typing_validator.h"

#include <QLineEdit>
#include <QScopedValueRollback>

namespace mundor::ui::qt {

TypingValidator::TypingValidator(TypingRules rules, QObject* parent)
    : QValidator(parent), rules_(rules) {}

QValidator::State TypingValidator::validate(QString& input, int& cursor) const {
    if (!fromCode_) ApplyTypingRules(rules_, accepted_, input, cursor);
    accepted_ = input;
    return Acceptable;
}

void TypingValidator::SetTextFromCode(QLineEdit& edit, const QString& text) {
    const QScopedValueRollback fromCode(fromCode_, true);
    edit.setText(text);
    accepted_ = edit.text();
}

}  // namespace mundor::ui::qt
