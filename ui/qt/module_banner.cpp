#include "ui/qt/module_banner.h"

#include <QEvent>

#include "contracts/ui/ui_errors.h"
#include "runtime/dispatch.h"
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

QtModuleBanner::Slot QtModuleBanner::SlotOf(std::u16string_view property) {
    constexpr std::array<std::u16string_view, kSlots> kProperties = {u"Nombre", u"Ubicacion",
                                                                     u"Version"};
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (rt::SameMemberName(property, kProperties[slot])) return static_cast<Slot>(slot);
    }
    err::RaiseUnknownProperty(property);
}

void QtModuleBanner::SetProperty(std::u16string_view property, std::u16string_view text) {
    values_[SlotOf(property)] = text;
    Show();
}

std::u16string QtModuleBanner::Property(std::u16string_view property) const {
    return values_[SlotOf(property)];
}

void QtModuleBanner::Show() {
    const QString modulo = Q(definition_.SettingAs<std::u16string>(u"modulo").value_or(u""));
    const QString identity = (Q(values_[kNombre]) + u' ' + Q(values_[kVersion])).trimmed();
    widget_->SetFullText(values_[kNombre].empty() ? modulo : identity);
    QStringList lines;
    for (const std::u16string& value : values_) {
        if (!value.empty()) lines << Q(value);
    }
    if (!modulo.isEmpty()) lines << modulo;
    widget_->setToolTip(lines.join(u'\n'));
}

}  // namespace mundor::ui::qt
