#include "ui/qt/button_look.h"

#include <QEvent>
#include <QPushButton>

#include "ui/qt/look.h"

namespace mundor::ui::qt {

namespace {

std::optional<QColor> ColorSetting(const ControlDefinition& definition, std::u16string_view name,
                                   const QPalette& palette) {
    const std::optional<Color> color = definition.SettingAs<Color>(name);
    if (!color) return std::nullopt;
    return QtColorFor(*color, palette);
}

QPalette PaletteWith(QPalette palette, const std::optional<QColor>& back,
                     const std::optional<QColor>& fore) {
    if (back) palette.setColor(QPalette::Button, *back);
    if (fore) palette.setColor(QPalette::ButtonText, *fore);
    return palette;
}

// Swaps the button's palette while the mouse is over it.
class HoverPalette final : public QObject {
  public:
    HoverPalette(QPushButton& button, QPalette over)
        : QObject(&button), rest_(button.palette()), over_(std::move(over)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = static_cast<QPushButton*>(watched);
        if (event->type() == QEvent::Enter) button->setPalette(over_);
        if (event->type() == QEvent::Leave) button->setPalette(rest_);
        return false;
    }

  private:
    QPalette rest_;
    QPalette over_;
};

}  // namespace

ButtonLook ButtonLook::Of(const ControlDefinition& definition, const QPalette& palette) {
    ButtonLook look;
    look.back = ColorSetting(definition, u"bcol", palette);
    look.backOver = ColorSetting(definition, u"bcolo", palette);
    look.fore = ColorSetting(definition, u"fcol", palette);
    look.foreOver = ColorSetting(definition, u"fcolo", palette);
    look.enabled = definition.SettingAs<bool>(u"enab").value_or(true);
    look.handPointer = definition.SettingAs<bool>(u"hand").value_or(false);
    look.checkable = definition.SettingAs<bool>(u"check").value_or(false);
    look.checked = definition.SettingAs<bool>(u"value").value_or(false);
    return look;
}

void ApplyButtonLook(QPushButton& button, const ButtonLook& look) {
    const QPalette rest = PaletteWith(button.palette(), look.back, look.fore);
    button.setPalette(rest);
    const QPalette over = PaletteWith(rest, look.backOver, look.foreOver);
    if (over != rest) {
        button.setAttribute(Qt::WA_Hover);
        button.installEventFilter(new HoverPalette(button, over));
    }
    button.setEnabled(look.enabled);
    if (look.handPointer) button.setCursor(Qt::PointingHandCursor);
    button.setCheckable(look.checkable);
    button.setChecked(look.checkable && look.checked);
}

}  // namespace mundor::ui::qt
