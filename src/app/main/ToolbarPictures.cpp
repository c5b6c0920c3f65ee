// Draws the toolbar's own pictures at the sizes the bar shows them, on a 16-unit grid.
#include "app/main/ToolbarPictures.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace {

// The picture drawn on a 16 x 16 grid, at one and at two device pixels a unit.
QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon PrinterPicture() {
    return Drawn([](QPainter& p) {
        const QColor outline(0x40, 0x40, 0x40);
        p.setPen(QPen(outline, 1));
        // The sheet waiting behind, the body, and the printed sheet in front.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xA0, 0xA8, 0xB4));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(QPen(QColor(0x30, 0x70, 0xC0), 1));
        p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0xB0, 0x40));
        p.drawEllipse(QRectF(11.5, 8, 2, 2));
    });
}

QIcon NewBookingPicture() {
    return Drawn([](QPainter& p) {
        const QColor outline(0x40, 0x40, 0x40);
        p.setPen(QPen(outline, 1));
        // The page with its red heading and the rows of days.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 11, 11));
        p.setBrush(QColor(0xD0, 0x30, 0x30));
        p.drawRect(QRectF(1.5, 2.5, 11, 3));
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
        for (const double y : {8.0, 10.5}) p.drawLine(QPointF(3, y), QPointF(11, y));
        // The plus over its corner.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x90, 0x30));
        p.drawRect(QRectF(11, 8, 2.5, 8));
        p.drawRect(QRectF(8.25, 10.75, 8, 2.5));
    });
}
