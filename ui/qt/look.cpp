#include "ui/qt/look.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QWidget>

#include "runtime/dispatch.h"

namespace mundor::ui::qt {

namespace {

// Faces of the Windows dialogs that no Linux desktop has; each stands for "the UI font".
constexpr std::array<std::u16string_view, 5> kDialogFaces = {
    u"MS Sans Serif", u"MS Shell Dlg", u"MS Shell Dlg 2", u"Microsoft Sans Serif", u"Tahoma"};

bool IsDialogFace(std::u16string_view face) {
    return std::any_of(
        kDialogFaces.begin(), kDialogFaces.end(),
        [&](std::u16string_view dialogFace) { return rt::SameMemberName(face, dialogFace); });
}

QString FamilyFor(std::u16string_view face) {
    const QString family = QString::fromStdU16String(std::u16string(face));
    if (face.empty() || IsDialogFace(face) || !QFontDatabase::hasFamily(family)) {
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    return family;
}

// The low byte of a system colour is its index among the Windows system colours.
QPalette::ColorRole RoleForSystemColor(std::uint32_t index) {
    switch (index) {
        case 0x05:  // window
            return QPalette::Base;
        case 0x06:  // window frame
            return QPalette::Shadow;
        case 0x07:  // menu text
        case 0x08:  // window text
            return QPalette::WindowText;
        case 0x0D:  // highlight
        case 0x02:  // active caption
            return QPalette::Highlight;
        case 0x0E:  // highlighted text
        case 0x09:  // caption text
            return QPalette::HighlightedText;
        case 0x10:  // button shadow
            return QPalette::Dark;
        case 0x11:  // grey text
            return QPalette::PlaceholderText;
        case 0x12:  // button text
            return QPalette::ButtonText;
        case 0x14:  // button highlight
            return QPalette::Light;
        case 0x15:  // 3D dark shadow
            return QPalette::Shadow;
        case 0x16:  // 3D light
            return QPalette::Midlight;
        case 0x17:  // tooltip text
            return QPalette::ToolTipText;
        case 0x18:  // tooltip background
            return QPalette::ToolTipBase;
        case 0x0F:  // button face
            return QPalette::Button;
        default:  // desktop, menus, workspace and the rest: the window background
            return QPalette::Window;
    }
}

}  // namespace

Font DefaultFormFont() {
    return Font{.face = u"MS Sans Serif", .points = 8.25, .weight = 400};
}

QFont QtFontFor(const Font& font) {
    QFont qtFont(FamilyFor(font.face));
    qtFont.setPointSizeF(font.points > 0 ? font.points : DefaultFormFont().points);
    qtFont.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(font.weight, 100, 900)));
    qtFont.setItalic(font.italic);
    qtFont.setUnderline(font.underline);
    qtFont.setStrikeOut(font.strikethrough);
    return qtFont;
}

QColor QtColorFor(Color color, const QPalette& palette) {
    if (color.IsSystemColor()) return palette.color(RoleForSystemColor(color.value & 0xFFu));
    const std::uint32_t bgr = color.value;
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

QFont NarrowedToFit(QFont font, const QString& text, int room) {
    constexpr int kNarrowestStretch = 62;
    font.setStretch(QFont::AnyStretch);
    const int needed = QFontMetrics(font).horizontalAdvance(text);
    if (needed <= room || needed == 0 || room <= 0) return font;
    font.setStretch(std::max(kNarrowestStretch, 100 * room / needed));
    return font;
}

void ApplyBackColor(QWidget& widget, Color color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QtColorFor(color, palette));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace mundor::ui::qt
