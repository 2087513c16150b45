#include "BalloonPainter.h"
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

QPainterPath Speech(bool tailLeft) {
    QPainterPath body;
    body.addEllipse(QRectF(20, 10, 360, 200));
    // A long curved tail from the lower part of the body out to the side.
    QPainterPath tail;
    const qreal x = tailLeft ? 130 : 270;
    const qreal d = tailLeft ? -1 : 1;
    tail.moveTo(x - 40 * d, 180);
    tail.quadTo(x - 10 * d, 250, x + 70 * d - 20 * d, 292);
    tail.quadTo(x + 20 * d, 240, x + 30 * d, 185);
    tail.closeSubpath();
    return body.united(tail);
}

QPainterPath Thought() {
    QPainterPath cloud;
    const QPointF c(200, 118);
    cloud.addEllipse(c, 150, 80);
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * M_PI / 6;
        QPainterPath puff;
        puff.addEllipse(QPointF(c.x() + 140 * std::cos(a), c.y() + 70 * std::sin(a)), 44, 40);
        cloud = cloud.united(puff);
    }
    QPainterPath bubbles;
    bubbles.addEllipse(QPointF(100, 250), 18, 14);
    bubbles.addEllipse(QPointF(72, 274), 11, 9);
    bubbles.addEllipse(QPointF(52, 291), 6, 5);
    return cloud.united(bubbles);
}

QPainterPath Shout() {
    QPainterPath star;
    const QPointF c(200, 150);
    const int points = 14;
    for (int i = 0; i < points * 2; ++i) {
        const qreal a = i * M_PI / points;
        const qreal grow = i % 2 ? 0.72 : (i % 4 ? 1.0 : 1.12);
        const QPointF point(c.x() + 170 * grow * std::cos(a), c.y() + 118 * grow * std::sin(a));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    return star;
}

QPainterPath Caption() {
    QPainterPath box;
    box.addRoundedRect(QRectF(14, 40, 372, 160), 14, 14);
    return box;
}

} // namespace

QString CBalloonPainter::Name(Kind kind) {
    static const char* names[kindCount] = {"speech-left", "speech-right", "thought",
                                           "shout",       "whisper",      "caption"};
    return QString::fromLatin1(names[kind]);
}

QImage CBalloonPainter::Paint(Kind kind) {
    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    switch (kind) {
    case speechLeft:
    case whisper:
        shape = Speech(true);
        break;
    case speechRight:
        shape = Speech(false);
        break;
    case thought:
        shape = Thought();
        break;
    case shout:
        shape = Shout();
        break;
    default:
        shape = Caption();
        break;
    }
    // A soft shadow, then white with a dark outline (dashed for a whisper).
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 40, 60, 60));
    p.drawPath(shape.translated(5, 6));
    QPen outline(QColor(0x22, 0x22, 0x30), 8, kind == whisper ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(kind == caption ? QColor(0xff, 0xf8, 0xdc) : QColor(Qt::white));
    p.drawPath(shape);
    p.end();
    return image;
}
