#include "SnapshotPainter.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace BCFTool {

namespace {
const int Width = 640;
const int Height = 400;
}

QByteArray SnapshotPainter::paint(int variant, const QString& caption, const QColor& highlight)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Sky and ground.
    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0.0, QColor(0x9c, 0xc9, 0xee));
    sky.setColorAt(0.7, QColor(0xe4, 0xf1, 0xfb));
    painter.fillRect(image.rect(), sky);
    const int groundY = Height - 70;
    painter.fillRect(QRect(0, groundY, Width, Height - groundY), QColor(0x8d, 0xa3, 0x7a));

    // The building: a block with floors and windows; variants differ in size and position.
    const int floors = 3 + variant % 3;
    const int bays = 5 + variant % 2;
    const int floorHeight = 52;
    const int bayWidth = 64;
    const QRect block(90 + 20 * variant, groundY - floors * floorHeight, bays * bayWidth, floors * floorHeight);
    painter.setPen(QPen(QColor(0x55, 0x55, 0x5a), 2));
    painter.setBrush(QColor(0xd9, 0xd4, 0xc7));
    painter.drawRect(block);
    painter.setBrush(QColor(0x4a, 0x6f, 0x8f));
    painter.setPen(QPen(QColor(0x3a, 0x3a, 0x40), 1));
    for (int floor = 0; floor < floors; ++floor) {
        for (int bay = 0; bay < bays; ++bay) {
            const QRect window(block.left() + bay * bayWidth + 16, block.top() + floor * floorHeight + 12, 32, 28);
            if (floor == floors - 1 && bay == bays / 2)
                continue; // the entrance
            painter.drawRect(window);
        }
    }
    const QRect door(block.left() + (bays / 2) * bayWidth + 14, groundY - 44, 36, 44);
    painter.setBrush(QColor(0x7a, 0x4e, 0x2d));
    painter.drawRect(door);
    if (variant % 3 == 0) {
        // A ventilation duct running through the door head.
        painter.setPen(QPen(QColor(0x70, 0x78, 0x80), 1));
        painter.setBrush(QColor(0xa8, 0xb0, 0xb8));
        painter.drawRect(QRect(block.left() - 30, door.top() - 6, block.width() + 60, 14));
    }
    // Roof line.
    painter.setPen(QPen(QColor(0x40, 0x40, 0x45), 6));
    painter.drawLine(block.topLeft() + QPoint(-8, 0), block.topRight() + QPoint(8, 0));

    // The issue, circled.
    const QPoint centre = variant % 2 == 0 ? door.center() : QPoint(block.right() - bayWidth / 2, block.top() + 38);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(highlight, 5));
    painter.drawEllipse(centre, 46, 40);

    // Caption band.
    const QRect band(0, Height - 40, Width, 40);
    painter.fillRect(band, QColor(0, 0, 0, 150));
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band.adjusted(14, 0, -14, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
    painter.end();

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace BCFTool
