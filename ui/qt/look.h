// The stored look of a form and its controls (fonts and OLE colours) as Qt fonts and colours.
#pragma once

#include <optional>

#include <QColor>
#include <QFont>
#include <QPalette>

#include "contracts/ui/form_definition.h"

class QWidget;

namespace mundor::ui::qt {

// The font every window and control uses unless its definition stores another: MS Sans Serif
// at 8.25 points, the forms' own default.
Font DefaultFormFont();

// The Qt font for a stored font. The Windows dialog faces ("MS Sans Serif" and its kin), an empty
// face and any face this desktop does not have become the desktop's own sans-serif family; size,
// weight and style are kept.
QFont QtFontFor(const Font& font);

// An OLE colour: 0x00BBGGRR as is; a system colour (high bit set) as the palette's role for it,
// for instance 0x8000000F, the button face, as the palette's button colour.
QColor QtColorFor(Color color, const QPalette& palette);

// Paints the widget's own background in that colour.
void ApplyBackColor(QWidget& widget, Color color);

// The font with its letters narrowed, down to about a condensed face, as far as `text` needs to
// fit in `room` pixels; the point size stays. The desktop's sans-serif is wider than the font the
// layouts were drawn for, and a caption cut off or shortened reads worse than a narrower one.
QFont NarrowedToFit(QFont font, const QString& text, int room);

}  // namespace mundor::ui::qt
