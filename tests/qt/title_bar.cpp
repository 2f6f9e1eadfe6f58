#include "title_bar.h"

#include <QPainter>

namespace mundor::ui::qt::testing {

QImage WithTitleBar(QWidget& window) {
    const QPixmap client = window.grab();
    const int barHeight = window.fontMetrics().height() + 10;
    QImage framed(client.width() + 2, client.height() + barHeight + 1, QImage::Format_RGB32);
    QPainter painter(&framed);
    const QPalette palette = window.palette();
    painter.fillRect(framed.rect(), palette.color(QPalette::Dark));
    painter.fillRect(1, 1, client.width(), barHeight - 1, palette.color(QPalette::Highlight));
    QFont titleFont = window.font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(palette.color(QPalette::HighlightedText));
    const QRect bar(8, 1, client.width() - 16, barHeight - 1);
    painter.drawText(bar, Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawText(bar, Qt::AlignVCenter | Qt::AlignRight, QString::fromUtf16(u"✕"));
    painter.drawPixmap(1, barHeight, client);
    return framed;
}

QImage BoxOver(QWidget& window, QWidget& box) {
    const QImage framedWindow = WithTitleBar(window);
    const QImage framedBox = WithTitleBar(box);
    constexpr int kShadow = 4;
    QImage picture(framedWindow.size().expandedTo(framedBox.size() + QSize(kShadow, kShadow)),
                   QImage::Format_RGB32);
    picture.fill(window.palette().color(QPalette::Mid));
    QPainter painter(&picture);
    const QPoint windowAt((picture.width() - framedWindow.width()) / 2, 0);
    painter.drawImage(windowAt, framedWindow);
    QPoint at = box.geometry().topLeft() - window.geometry().topLeft() + windowAt;
    const QRect inside =
        picture.rect().adjusted(0, 0, -framedBox.width() - kShadow, -framedBox.height() - kShadow);
    if (!inside.contains(at)) at = inside.center();
    painter.fillRect(picture.rect(), QColor(0, 0, 0, 40));
    painter.fillRect(QRect(at + QPoint(kShadow, kShadow), framedBox.size()), QColor(0, 0, 0, 70));
    painter.drawImage(at, framedBox);
    return picture;
}

}  // namespace mundor::ui::qt::testing
