#include "StandInPainter.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QRgb bright[] = {0xffe5484d, 0xfff08a24, 0xffe9b21a, 0xff3aa55d, 0xff2f8fd8, 0xff7b61d9, 0xffd95fa8};
QColor Bright(int i) {
    return QColor(bright[((i % 7) + 7) % 7]);
}

QImage Transparent(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPen Ink(qreal width) {
    return QPen(QColor(0x2a, 0x2a, 0x3a), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath StarPath(QPointF c, qreal r, int points, qreal inner) {
    QPainterPath star;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 ? r * inner : r;
        const qreal angle = M_PI / 2 + i * M_PI / points;
        const QPointF point(c.x() + radius * std::cos(angle), c.y() - radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    return star;
}

} // namespace

QImage CStandInPainter::Background(int variant) {
    struct Time {
        QRgb skyTop, skyBottom, sun, far, near;
    };
    static const Time times[] = {
        {0xff6ec6f5, 0xffd4f1ff, 0xffffd84a, 0xff7cc576, 0xff4fa84b}, // day
        {0xfff08a5d, 0xffffd59e, 0xffffb347, 0xffa98a6a, 0xff7d6a4f}, // evening
        {0xff1c2a5a, 0xff4a5d9a, 0xfff4f1d0, 0xff3d5a6e, 0xff2a4250}, // night
        {0xff9ec9e8, 0xffeef6fb, 0xfffff3b0, 0xffdfe9f2, 0xfff7fbff}, // snow
    };
    const Time& t = times[variant % 4];
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 420);
    sky.setColorAt(0, QColor(t.skyTop));
    sky.setColorAt(1, QColor(t.skyBottom));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(t.sun));
    p.drawEllipse(QPointF(620 - variant % 3 * 180, 120), 56, 56);
    // Clouds by day, stars by night.
    p.setBrush(variant % 4 == 2 ? QColor(0xff, 0xff, 0xe0) : QColor(255, 255, 255, 220));
    for (int i = 0; i < 4; ++i) {
        const QPointF c(120 + i * 190, 70 + (i % 2) * 60);
        if (variant % 4 == 2) {
            p.drawPath(StarPath(c, 8, 5, 0.45));
        } else {
            p.drawEllipse(c, 46, 20);
            p.drawEllipse(c + QPointF(-24, 6), 30, 16);
            p.drawEllipse(c + QPointF(26, 4), 34, 18);
        }
    }
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath hill(QPointF(0, 600));
        const qreal base = layer ? 470 : 400;
        hill.lineTo(0, base);
        for (int i = 0; i < 4; ++i)
            hill.quadTo(100 + i * 200, base - (i % 2 ? 40 : 90) + layer * 30, 200 + i * 200, base);
        hill.lineTo(800, 600);
        hill.closeSubpath();
        p.setBrush(QColor(layer ? t.near : t.far));
        p.drawPath(hill);
    }
    return image;
}

QImage CStandInPainter::Character(int variant) {
    QImage image = Transparent(400, 380);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(40, 0); // room for the arms
    const QColor body = Bright(variant);
    const qreal w = 120 + (variant % 3) * 20;
    // Feet, arms, body, eyes and a smile.
    p.setPen(Ink(6));
    p.setBrush(body.darker(120));
    p.drawEllipse(QPointF(160 - w * 0.45, 350), 36, 18);
    p.drawEllipse(QPointF(160 + w * 0.45, 350), 36, 18);
    QPainterPath arms;
    arms.moveTo(160 - w, 200);
    arms.quadTo(160 - w - 40, 150 - variant % 2 * 60, 160 - w - 10, 110 - variant % 2 * 30);
    arms.moveTo(160 + w, 200);
    arms.quadTo(160 + w + 40, 250, 160 + w + 20, 290);
    p.setPen(QPen(body.darker(140), 18, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arms);
    p.setPen(Ink(6));
    QRadialGradient shade(QPointF(130, 150), w * 1.6);
    shade.setColorAt(0, body.lighter(140));
    shade.setColorAt(1, body);
    p.setBrush(shade);
    p.drawEllipse(QPointF(160, 215), w, 135);
    for (int side : {-1, 1}) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(160 + side * 38, 170), 26, 30);
        p.setBrush(QColor(0x2a, 0x2a, 0x3a));
        p.drawEllipse(QPointF(160 + side * 38 + 9, 176), 11, 13);
    }
    // A nose to one side, so that a mirrored copy is plain to see.
    p.setBrush(body.darker(115));
    p.drawEllipse(QPointF(196, 212), 16, 12);
    QPainterPath smile;
    smile.moveTo(115, 240);
    smile.quadTo(160, 290, 205, 240);
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
    if (variant % 2) {
        // A little hat.
        p.setBrush(Bright(variant + 3));
        p.drawPath(StarPath(QPointF(160, 70), 34, 5, 0.5));
    }
    return image;
}

QString CStandInPainter::Name(Kind kind, int variant) {
    static const char* const times[] = {"sunny hills", "evening hills", "starry night", "snowy hills"};
    static const char* const props[] = {"ball", "tree", "flower", "star", "present", "rainbow"};
    static const char* const colours[] = {"red", "orange", "yellow", "green", "blue", "violet", "pink"};
    switch (kind) {
    case background:
        return QString::fromLatin1(times[variant % 4]);
    case character:
        return QStringLiteral("%1 buddy").arg(QLatin1String(colours[variant % 7]));
    default:
        return QString::fromLatin1(props[variant % 6]);
    }
}

QImage CStandInPainter::Prop(int variant) {
    QImage image = Transparent(360, 360);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Ink(6));
    const QPointF c(180, 180);
    switch (variant % 6) {
    case 0: { // a beach ball
        p.setBrush(Qt::white);
        p.drawEllipse(c, 150, 150);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(Bright(i * 2 + variant / 6));
            p.drawPie(QRectF(30, 30, 300, 300), (90 + i * 120) * 16, 60 * 16);
        }
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 150, 150);
        break;
    }
    case 1: // a tree
        p.setBrush(QColor(0x8a, 0x5a, 0x2b));
        p.drawRect(QRectF(155, 200, 50, 150));
        p.setBrush(QColor(0x4f, 0xa8, 0x4b).darker(100 + variant / 6 * 12));
        p.drawEllipse(QPointF(180, 140), 130, 120);
        break;
    case 2: // a flower
        p.setPen(QPen(QColor(0x3a, 0x8a, 0x3a), 14, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(180, 180), QPointF(180, 350));
        p.setPen(Ink(5));
        p.setBrush(Bright(variant / 6 + 6).lighter(130));
        for (int i = 0; i < 6; ++i)
            p.drawEllipse(c + QPointF(70 * std::cos(i * M_PI / 3), 70 * std::sin(i * M_PI / 3)) -
                              QPointF(0, 40),
                          48, 48);
        p.setBrush(QColor(0xff, 0xd0, 0x3a));
        p.drawEllipse(c - QPointF(0, 40), 46, 46);
        break;
    case 3: // a star
        p.setBrush(variant < 6 ? QColor(0xff, 0xd0, 0x3a) : Bright(variant / 6 + 1));
        p.drawPath(StarPath(c, 165, 5, 0.45));
        break;
    case 4: // a present
        p.setBrush(Bright(variant));
        p.drawRect(QRectF(40, 120, 280, 220));
        p.setBrush(QColor(0xff, 0xd0, 0x3a));
        p.drawRect(QRectF(160, 120, 40, 220));
        p.drawEllipse(QPointF(140, 95), 45, 28);
        p.drawEllipse(QPointF(220, 95), 45, 28);
        break;
    default: // a rainbow
        for (int i = 0; i < 6; ++i) {
            p.setPen(QPen(Bright(i), 22, Qt::SolidLine, Qt::FlatCap));
            const qreal r = 165 - i * 22;
            p.drawArc(QRectF(180 - r, 300 - r, 2 * r, 2 * r), 0, 180 * 16);
        }
        break;
    }
    return image;
}
