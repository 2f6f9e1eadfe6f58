#include "ui/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace mundor::ui::qt {

namespace {

constexpr qreal kTwipsPerInch = 1440.0;
constexpr qreal kStandardDpi = 96.0;

}  // namespace

TwipsScale TwipsScale::ForScreen(const QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    return TwipsScale(screen ? screen->logicalDotsPerInch() : kStandardDpi);
}

int TwipsScale::ToPixels(LONG twips) const {
    return qRound(static_cast<qreal>(twips) * dpi_ / kTwipsPerInch);
}

QSize TwipsScale::ToSize(LONG width, LONG height) const {
    return {ToPixels(width), ToPixels(height)};
}

QRect TwipsScale::ToRect(LONG left, LONG top, LONG width, LONG height) const {
    const int x = ToPixels(left);
    const int y = ToPixels(top);
    return {x, y, ToPixels(left + width) - x, ToPixels(top + height) - y};
}

}  // namespace mundor::ui::qt
