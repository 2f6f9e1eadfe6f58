#include "ui/qt/titled_text_edit.h"

#include <algorithm>
#include <limits>

#include <QEvent>

#include "ui/qt/look.h"

namespace mundor::ui::qt {

namespace {

QString TitleOf(const ControlDefinition& definition) {
    const std::optional<std::u16string> title =
        definition.SettingAs<std::u16string>(u"titleobject");
    const std::u16string text =
        title.value_or(definition.SettingAs<std::u16string>(u"caption").value_or(u""));
    return QString::fromStdU16String(text);
}

}  // namespace

TitledTextEdit::TitledTextEdit(const ControlDefinition& definition, QWidget* parent)
    : QWidget(parent),
      title_(new QLabel(TitleOf(definition), this)),
      edit_(new QLineEdit(this)),
      validator_(new TypingValidator(TypingRules::Of(definition), edit_)),
      titlePercent_(std::clamp<LONG>(
          definition.SettingAs<LONG>(u"titlewidthp").value_or(kDefaultTitlePercent), 0, 100)) {
    title_->setObjectName(QStringLiteral("title"));
    title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    title_->setBuddy(edit_);
    edit_->setObjectName(QStringLiteral("edit"));
    // Qt's limit would cut code's text too; the validator limits typing instead.
    edit_->setMaxLength(std::numeric_limits<int>::max());
    edit_->setValidator(validator_);
    setFocusProxy(edit_);
    if (const auto color = definition.SettingAs<Color>(u"backcolor")) {
        ApplyBackColor(*this, *color);
    }
    SetText(
        QString::fromStdU16String(definition.SettingAs<std::u16string>(u"value").value_or(u"")));
}

void TitledTextEdit::SetEditable(bool editable) {
    edit_->setReadOnly(!editable);
    // A locked field shows it, as the desktop shows a read-only box: on the window's colour.
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, editable ? QWidget::palette().color(QPalette::Base)
                                              : QWidget::palette().color(QPalette::Window));
    edit_->setPalette(palette);
}

void TitledTextEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void TitledTextEdit::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) LayOut();
}

void TitledTextEdit::LayOut() {
    const int titleWidth = title_->text().isEmpty() ? 0 : width() * titlePercent_ / 100;
    const int editHeight = std::min(height(), edit_->sizeHint().height());
    title_->setGeometry(0, 0, titleWidth, height());
    edit_->setGeometry(titleWidth, (height() - editHeight) / 2, width() - titleWidth, editHeight);
}

}  // namespace mundor::ui::qt
