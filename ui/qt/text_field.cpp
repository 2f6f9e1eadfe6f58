#include "ui/qt/text_field.h"

namespace mundor::ui::qt {

QtTextField::QtTextField(const ControlDefinition& definition, QWidget& parent)
    : definition_(definition), widget_(new TitledTextEdit(definition, &parent)) {}

void QtTextField::SetValue(std::u16string_view text) {
    widget_->SetText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace mundor::ui::qt
