#include "AppIconPainter.h"
#include "Look.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// The icon is drawn in a 256-unit box and scaled to the size asked for.
constexpr qreal box = 256;

void Tile(QPainter& p) {
    const QRectF tile(12, 12, 232, 232);
    QPainterPath shape;
    shape.addRoundedRect(tile, 48, 48);
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(20, 40, 80, 18));
        p.drawPath(shape.translated(0, i * 1.5));
    }
    p.save();
    p.setClipPath(shape);
    QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
    sky.setColorAt(0, QColor(0x9f, 0xd8, 0xf7));
    sky.setColorAt(0.6, QColor(0xcf, 0xee, 0xfb));
    sky.setColorAt(1, QColor(0xe6, 0xf6, 0xdf));
    p.fillRect(tile, sky);
    p.setBrush(QColor(0xff, 0xd0, 0x3a));
    p.drawEllipse(QPointF(198, 58), 26, 26);
    QPainterPath hills(QPointF(0, 256));
    hills.lineTo(0, 200);
    hills.quadTo(70, 168, 130, 196);
    hills.quadTo(190, 220, 256, 186);
    hills.lineTo(256, 256);
    hills.closeSubpath();
    p.setBrush(QColor(0x62, 0xb8, 0x5f));
    p.drawPath(hills);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x3a, 0x4f, 0x7a), 5));
    p.drawPath(shape);
}

// The front card carries a speech balloon: the program's idea, pictures with something to say.
void Balloon(QPainter& p, const QRectF& r) {
    QPainterPath body;
    body.addEllipse(r);
    QPainterPath tail;
    tail.moveTo(r.left() + r.width() * 0.22, r.bottom() - r.height() * 0.25);
    tail.lineTo(r.left() + r.width() * 0.08, r.bottom() + r.height() * 0.35);
    tail.lineTo(r.left() + r.width() * 0.45, r.bottom() - r.height() * 0.08);
    tail.closeSubpath();
    p.setPen(QPen(QColor(0x3a, 0x4f, 0x7a), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(body.united(tail));
    const QRgb dots[] = {0xffe5484d, 0xffe9b21a, 0xff2f8fd8};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(dots[i]));
        p.drawEllipse(QPointF(r.center().x() + (i - 1) * r.width() * 0.24, r.center().y()), 8, 8);
    }
}

} // namespace

QImage CAppIconPainter::Paint(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / box, size / box);
    Tile(p);
    // Three layers fanned out like cards, the back ones tinted as on the start-up picture.
    const QRgb cards[] = {0xffd9f0ff, 0xfffff4c2, 0xffffffff};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(104 + i * 24, 150 - i * 14);
        p.rotate(-14 + i * 10);
        look::Panel(p, QRectF(-62, -46, 124, 92), 12, QColor(cards[i]));
        p.setPen(QPen(QColor(0x3a, 0x4f, 0x7a), 4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(-62, -46, 124, 92), 12, 12);
        p.restore();
    }
    Balloon(p, QRectF(110, 92, 96, 60));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
