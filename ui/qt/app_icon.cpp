#include "ui/qt/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarvex {

namespace {

// Drawn on a 32-unit grid and scaled, so both sizes show the same picture.
void DrawChip(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xB0, 0xB4, 0xBA));
    for (int pin = 0; pin < 4; ++pin) {
        painter.drawRect(QRectF(3, 7 + pin * 5.5, 4, 2.5));
        painter.drawRect(QRectF(25, 7 + pin * 5.5, 4, 2.5));
    }
    painter.setBrush(QColor(0x2B, 0x30, 0x3A));
    painter.drawRoundedRect(QRectF(6, 3, 20, 26), 2.5, 2.5);
    painter.setBrush(QColor(0x55, 0x5C, 0x68));
    painter.drawEllipse(QRectF(8.5, 5.5, 3, 3));
}

void DrawBolt(QPainter& painter) {
    QPainterPath bolt;
    bolt.moveTo(18.5, 5);
    bolt.lineTo(10.5, 18);
    bolt.lineTo(15.5, 18);
    bolt.lineTo(13, 27);
    bolt.lineTo(22, 13.5);
    bolt.lineTo(16.8, 13.5);
    bolt.closeSubpath();
    painter.setPen(QPen(QColor(0x8A, 0x5A, 0x00), 0.8));
    painter.setBrush(QColor(0xFF, 0xC8, 0x1E));
    painter.drawPath(bolt);
}

}  // namespace

QImage DrawAppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    DrawChip(painter);
    DrawBolt(painter);
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(DrawAppIconImage(32)));
    icon.addPixmap(QPixmap::fromImage(DrawAppIconImage(16)));
    return icon;
}

}  // namespace tarvex
