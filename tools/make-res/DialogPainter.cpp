#include "DialogPainter.h"
#include "Look.h"
#include "app/ProgramTexts.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// A dialog-unit rectangle in pixels of the dialog pictures.
QRectF Units(qreal x, qreal y, qreal w, qreal h) {
    return QRectF(x * 1.5, y * 1.625, w * 1.5, h * 1.625);
}

void Balloon(QPainter& p, const QRectF& r, bool tailLeft, const QColor& fill) {
    QPainterPath body;
    body.addEllipse(r);
    QPainterPath tail;
    const qreal x = tailLeft ? r.left() + r.width() * 0.25 : r.right() - r.width() * 0.25;
    const qreal dx = tailLeft ? -r.width() * 0.18 : r.width() * 0.18;
    tail.moveTo(x - r.width() * 0.08, r.bottom() - r.height() * 0.2);
    tail.lineTo(x + dx, r.bottom() + r.height() * 0.3);
    tail.lineTo(x + r.width() * 0.1, r.bottom() - r.height() * 0.12);
    tail.closeSubpath();
    p.setPen(QPen(QColor(0x3a, 0x4f, 0x7a), qMax(1.5, r.height() * 0.05), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(body.united(tail));
}

void Star(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? r * 0.45 : r;
        const qreal angle = M_PI / 2 + i * M_PI / 5;
        const QPointF point(c.x() + radius * std::cos(angle), c.y() - radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(colour.darker(130), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(star);
}

// Rolling hills along the bottom of r.
void Hills(QPainter& p, const QRectF& r) {
    const QRgb greens[] = {0xff8fd18a, 0xff62b85f};
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath hill(QPointF(r.left(), r.bottom()));
        const qreal base = r.bottom() - r.height() * (layer ? 0.16 : 0.26);
        hill.lineTo(r.left(), base);
        const int humps = 3 + layer;
        for (int i = 0; i < humps; ++i) {
            const qreal x0 = r.left() + r.width() * i / humps;
            const qreal x1 = r.left() + r.width() * (i + 1) / humps;
            hill.quadTo((x0 + x1) / 2, base - r.height() * (layer ? 0.1 : 0.14) * (i % 2 ? 0.6 : 1), x1,
                        base);
        }
        hill.lineTo(r.right(), r.bottom());
        hill.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(greens[layer]));
        p.drawPath(hill);
    }
}

QImage DialogCanvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    look::Sky(p, image.rect());
    return image;
}

} // namespace

QImage CDialogPainter::PaintStartup(int language) {
    const auto words = [language](ProgramText text) {
        return QString::fromUtf8(ProgramWords(text, language));
    };
    QImage image = DialogCanvas(600, 360);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all = image.rect();
    // Sun, hills and a little scene: a balloon greets the user.
    QRadialGradient sun(QPointF(520, 70), 60);
    sun.setColorAt(0, QColor(0xff, 0xe0, 0x6a));
    sun.setColorAt(0.55, QColor(0xff, 0xd0, 0x3a));
    sun.setColorAt(1, QColor(0xff, 0xd0, 0x3a, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(520, 70), 60, 60);
    Hills(p, all);
    Star(p, {70, 60}, 16, QColor(0xff, 0xd0, 0x3a));
    Star(p, {36, 160}, 9, QColor(0xff, 0x9a, 0xc8));
    Star(p, {470, 150}, 11, QColor(0x9a, 0xd0, 0xff));

    look::Logo(p, QRectF(0, 70, 600, 110), 92);
    p.setFont(look::Font(22));
    p.setPen(QColor(0x2c, 0x3e, 0x66));
    p.drawText(QRectF(0, 180, 600, 34), Qt::AlignCenter, words(ProgramText::startupSlogan));

    // Layers fanned out like cards: the program's idea in one glance.
    const QRgb cards[] = {0xffffffff, 0xfffff4c2, 0xffd9f0ff};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(150 + i * 34, 262 - i * 6);
        p.rotate(-10 + i * 8);
        look::Panel(p, QRectF(-36, -27, 72, 54), 6, QColor(cards[i]));
        p.restore();
    }
    Balloon(p, QRectF(290, 226, 112, 62), true, Qt::white);
    p.setFont(look::Font(20));
    p.setPen(QColor(0x2c, 0x3e, 0x66));
    p.drawText(QRectF(290, 226, 112, 62), Qt::AlignCenter, words(ProgramText::startupGreeting));

    // The OK button's place stays plain; the credit line sits left of it.
    p.setFont(look::Font(11, false));
    p.setPen(QColor(0x1e, 0x4d, 0x22));
    p.drawText(QRectF(16, 326, 480, 20), Qt::AlignLeft | Qt::AlignVCenter, words(ProgramText::startupCredit));
    p.end();
    return image;
}

QImage CDialogPainter::PaintTextDialog() {
    QImage image = DialogCanvas(419, 222);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A sheet of paper behind the text edit, a soft bar behind each row of buttons.
    look::Panel(p, Units(8, 7, 263, 82).adjusted(-6, -5, 6, 5), 8, QColor(0xff, 0xfb, 0xf0));
    look::Panel(p, Units(9, 92, 261, 18).adjusted(-6, -3, 6, 3), 8, QColor(0xe9, 0xf1, 0xfd));
    look::Panel(p, Units(9, 114, 261, 18).adjusted(-6, -3, 6, 3), 8, QColor(0xe9, 0xf1, 0xfd));
    p.end();
    return image;
}

QImage CDialogPainter::PaintInfoDialog() {
    QImage image = DialogCanvas(419, 222);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The description is drawn straight over this card, so it stays plain and light.
    look::Panel(p, Units(8, 8, 263, 93).adjusted(-5, -5, 5, 5), 8, QColor(0xff, 0xfd, 0xf6));
    const QRectF buttons = Units(88, 111, 104, 14).adjusted(-8, -4, 8, 4);
    look::Panel(p, buttons, 8, QColor(0xe9, 0xf1, 0xfd));
    // An info sign and a star in the free corners.
    p.setPen(QPen(QColor(0x5a, 0x46, 0xb8), 2));
    p.setBrush(QColor(0x7b, 0x61, 0xd9));
    p.drawEllipse(QPointF(40, 197), 15, 15);
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPixelSize(22);
    serif.setBold(true);
    p.setFont(serif);
    p.setPen(Qt::white);
    p.drawText(QRectF(25, 182, 30, 30), Qt::AlignCenter, QStringLiteral("i"));
    Star(p, {380, 197}, 14, QColor(0xff, 0xd0, 0x3a));
    p.end();
    return image;
}
