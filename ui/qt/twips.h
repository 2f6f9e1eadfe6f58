// Layout positions and sizes arrive in twips (1/1440 inch). A widget is placed in
// device-independent pixels: 15 twips make one pixel at 96 DPI, and the screen's logical DPI
// scales that, so a window keeps its physical size on a denser or larger-font desktop.
#pragma once

#include <QRect>
#include <QSize>

#include "runtime/com_types.h"

class QScreen;

namespace mundor::ui::qt {

class TwipsScale {
  public:
    explicit TwipsScale(qreal logicalDpi) : dpi_(logicalDpi) {}
    // The scale of that screen, or of the primary screen when none is given.
    static TwipsScale ForScreen(const QScreen* screen);

    int ToPixels(LONG twips) const;
    QSize ToSize(LONG width, LONG height) const;
    // Edges are rounded, not sizes, so that controls laid edge to edge in twips stay so.
    QRect ToRect(LONG left, LONG top, LONG width, LONG height) const;
    qreal dpi() const { return dpi_; }

  private:
    qreal dpi_;
};

}  // namespace mundor::ui::qt
