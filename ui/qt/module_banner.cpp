#include "ui/qt/module_banner.h"

#include <QEvent>

#include "ui/qt/look.h"

namespace mundor::ui::qt {

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

}  // namespace

void ElidedLabel::SetFullText(const QString& text) {
    fullText_ = text;
    Elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_) Elide();
}

void ElidedLabel::Elide() {
    const int room = contentsRect().width() - 2 * margin() - kBreathingRoom;
    const QFont fitted = NarrowedToFit(font(), fullText_, room);
    if (fitted.stretch() != font().stretch()) {
        fitting_ = true;
        setFont(fitted);
        fitting_ = false;
    }
    setText(QFontMetrics(fitted).elidedText(fullText_, Qt::ElideMiddle, room));
}

QtModuleBanner::QtModuleBanner(const ControlDefinition& definition, QWidget& parent)
    : definition_(definition), widget_(new ElidedLabel(&parent)) {
    widget_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    widget_->setAlignment(Qt::AlignCenter);
    widget_->setFocusPolicy(Qt::NoFocus);
    Show();
}

void QtModuleBanner::Show() {
    const QString modulo = Q(definition_.SettingAs<std::u16string>(u"modulo").value_or(u""));
    const QString identity = (Q(Value(kNombre)) + u' ' + Q(Value(kVersion))).trimmed();
    widget_->SetFullText(Value(kNombre).empty() ? modulo : identity);
    QStringList lines;
    for (const std::u16string& value : Values()) {
        if (!value.empty()) lines << Q(value);
    }
    if (!modulo.isEmpty()) lines << modulo;
    widget_->setToolTip(lines.join(u'\n'));
}

}  // namespace mundor::ui::qt
