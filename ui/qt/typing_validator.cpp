#include "ui/qt/typing_validator.h"

#include <algorithm>

#include <QLineEdit>
#include <QScopedValueRollback>

namespace mundor::ui::qt {

TypingValidator::TypingValidator(TypingRules rules, QObject* parent)
    : QValidator(parent), rules_(rules) {}

QValidator::State TypingValidator::validate(QString& input, int& cursor) const {
    if (!fromCode_) {
        std::u16string after = input.toStdU16String();
        auto at = static_cast<std::size_t>(std::max(cursor, 0));
        if (ApplyTypingRules(rules_, accepted_.toStdU16String(), after, at)) {
            input = QString::fromStdU16String(after);
            cursor = static_cast<int>(at);
        }
    }
    accepted_ = input;
    return Acceptable;
}

void TypingValidator::SetTextFromCode(QLineEdit& edit, const QString& text) {
    const QScopedValueRollback fromCode(fromCode_, true);
    edit.setText(text);
    accepted_ = edit.text();
}

}  // namespace mundor::ui::qt
