#include "Look.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace look {

QFont Font(qreal pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QVector<QRgb> GeneralPalette() {
    QVector<QRgb> table;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.append(qRgb(r * 51, g * 51, b * 51));
    // Greys between the cube's six.
    for (int i = 1; i <= 20; ++i) {
        const int v = i * 255 / 21;
        table.append(qRgb(v, v, v));
    }
    // The light tints of the screen's sky and panels, which the cube would only reach by coarse dithering.
    const QRgb tints[20] = {0xff9fd8f7, 0xffb5e1f9, 0xffcfeefb, 0xffdaf2f0, 0xffe6f6df,
                            0xfff4f8ff, 0xffe3ecf8, 0xffe9f1fd, 0xffd3e0f2, 0xff9db4d8,
                            0xff3a4f7a, 0xff243352, 0xfffff1c9, 0xfffffbf0, 0xfffff4c2,
                            0xffffd9e6, 0xffd9f7e0, 0xff8fd18a, 0xff62b85f, 0xffffd03a};
    for (QRgb tint : tints)
        table.append(tint | 0xff000000);
    return table;
}

void Panel(QPainter& p, const QRectF& r, qreal radius, const QColor& fill) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(20, 40, 80, 14));
        p.drawRoundedRect(r.translated(0, i * 0.75).adjusted(-i * 0.5, -i * 0.25, i * 0.5, i * 0.5),
                          radius + i, radius + i);
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, fill.lighter(108));
    g.setColorAt(1, fill.darker(104));
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void Well(QPainter& p, const QRectF& r, qreal radius, const QColor& fill) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 50, 90, 70));
    p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0, 1, 0, 0), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(-1.5, -1.5, 1.5, 1.5), radius + 1.5, radius + 1.5);
    p.restore();
}

void Logo(QPainter& p, const QRectF& r, qreal pixelSize) {
    static const QRgb colours[] = {0xffe5484d, 0xfff08a24, 0xffe9b21a, 0xff3aa55d,
                                   0xff2f8fd8, 0xff7b61d9, 0xffd95fa8};
    const QString name = QStringLiteral("Quimble");
    QFont font = Font(pixelSize);
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    QPainterPath whole;
    whole.addText(0, 0, font, name);
    const QRectF box = whole.boundingRect();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.center() - box.center());
    // Each letter on its own, slightly tilted, for a playful line.
    qreal x = 0;
    QFontMetricsF metrics(font);
    for (int i = 0; i < name.size(); ++i) {
        QPainterPath letter;
        letter.addText(0, 0, font, name.mid(i, 1));
        QTransform t;
        t.translate(x, (i % 2 ? -0.04 : 0.03) * pixelSize);
        t.rotate(i % 2 ? 4 : -4);
        QPainterPath placed = t.map(letter);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 40, 80, 70));
        p.drawPath(placed.translated(pixelSize * 0.04, pixelSize * 0.06));
        p.setPen(QPen(Qt::white, pixelSize * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(placed);
        QLinearGradient g(0, -pixelSize * 0.8, 0, 0);
        g.setColorAt(0, QColor(colours[i % 7]).lighter(125));
        g.setColorAt(1, QColor(colours[i % 7]));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(placed);
        x += metrics.horizontalAdvance(name.mid(i, 1)) * 1.04;
    }
    p.restore();
}

void Sky(QPainter& p, const QRectF& r) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x9f, 0xd8, 0xf7));
    g.setColorAt(0.6, QColor(0xcf, 0xee, 0xfb));
    g.setColorAt(1, QColor(0xe6, 0xf6, 0xdf));
    p.fillRect(r, g);
    // Soft round confetti, the same on every run.
    QRandomGenerator random(7);
    p.setPen(Qt::NoPen);
    static const QRgb tints[] = {0xffffffff, 0xfffff4c2, 0xffffd9e6, 0xffd9f7e0};
    for (int i = 0; i < 70; ++i) {
        QColor c(tints[i % 4]);
        c.setAlpha(70 + random.bounded(60));
        p.setBrush(c);
        const qreal d = 3 + random.bounded(9);
        p.drawEllipse(
            QRectF(r.left() + random.bounded(r.width()), r.top() + random.bounded(r.height()), d, d));
    }
    p.restore();
}

} // namespace look
