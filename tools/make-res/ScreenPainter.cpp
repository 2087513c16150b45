#include "ScreenPainter.h"
#include "Look.h"
#include "ScreenLayout.h"
#include <QPainter>
#include <QPainterPath>
#include <cmath>

using namespace layout;

QImage CScreenPainter::Paint() {
    QImage image(screenWidth, screenHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    look::Sky(p, image.rect());

    // The picture area sits in a frame with a title band above it.
    const QRectF frame(0.5, 1.5, 573, 445);
    look::Panel(p, frame, 8, QColor(0x3a, 0x4f, 0x7a));
    const QRgb dots[] = {0xffe5484d, 0xffe9b21a, 0xff3aa55d};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 150), 1));
        p.setBrush(QColor(dots[i]));
        p.drawEllipse(QPointF(13 + i * 15, 12), 4.5, 4.5);
    }
    p.fillRect(pictureArea.adjusted(-1, -1, 1, 1), QColor(0x24, 0x33, 0x52));
    p.fillRect(pictureArea, Qt::white);

    // The right column: the name, the three rows of command buttons and the layer strip.
    look::Logo(p, QRectF(578, 0, 168, 30), 25);
    look::Panel(p, QRectF(575, 27, 211, 197), 10, QColor(0xf4, 0xf8, 0xff));
    p.setPen(QPen(QColor(0x9d, 0xb4, 0xd8), 1.5, Qt::DotLine, Qt::RoundCap));
    p.drawLine(QPointF(590, 94.5), QPointF(772, 94.5));
    p.drawLine(QPointF(590, 172.5), QPointF(772, 172.5));
    // A sticker in the free corner beside the file row.
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? 6.5 : 14.5;
        const qreal angle = M_PI / 2 + i * M_PI / 5;
        const QPointF point(765 + radius * std::cos(angle), 66 - radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0xd9, 0x9a, 0x10), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xff, 0xd0, 0x3a));
    p.drawPath(star);
    look::Panel(p, QRectF(593, 226, 191, 320), 10, QColor(0xf4, 0xf8, 0xff));
    look::Well(p, QRectF(layerStrip).adjusted(-2, -2, 2, 2), 5, QColor(0xe3, 0xec, 0xf8));

    // The lower row: folder buttons, the thumb strip, an arrow to the picked picture and its cell.
    look::Panel(p, QRectF(-6, 448, 163, 108), 8, QColor(0xf4, 0xf8, 0xff));
    look::Panel(p, QRectF(158, 465, 416, 68), 10, QColor(0xf4, 0xf8, 0xff));
    look::Well(p, QRectF(thumbStrip).adjusted(22, 0, -22, 0), 4, QColor(0xe3, 0xec, 0xf8));
    QPainterPath arrow;
    arrow.moveTo(499, 494);
    arrow.lineTo(505, 494);
    arrow.lineTo(505, 489);
    arrow.lineTo(512, 499.5);
    arrow.lineTo(505, 510);
    arrow.lineTo(505, 505);
    arrow.lineTo(499, 505);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0x8a, 0x24));
    p.drawPath(arrow);
    look::Well(p, QRectF(pickedCell).adjusted(-3, -3, 3, 3), 5, QColor(0xff, 0xf1, 0xc9));
    p.end();
    return image;
}
