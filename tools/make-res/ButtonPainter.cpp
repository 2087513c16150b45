#include "ButtonPainter.h"
#include "Icons.h"
#include "Look.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace layout;

QImage CButtonPainter::Paint(const QImage& screen, const Button& button) {
    const Glyph icon = [&button](QPainter& p, const QRectF& box, const QColor& glyph, const QColor& detail,
                                 const QColor& outline) {
        CIcons::Draw(p, button.icon, box, glyph, detail, outline);
    };
    return PaintBands(screen.copy(button.Rect()), QColor(button.colour), icon, icon);
}

QImage CButtonPainter::PaintHideToggle() {
    const int h = layerHeight;
    QImage backdrop(h - 2, h, QImage::Format_RGB32);
    backdrop.fill(QColor(0xe3, 0xec, 0xf8));
    const auto eye = [](bool closed) {
        return [closed](QPainter& p, const QRectF& box, const QColor& glyph, const QColor&,
                        const QColor& outline) { PaintEye(p, box, closed, glyph, outline); };
    };
    return PaintBands(backdrop, QColor(0x2f, 0x8f, 0xd8), eye(false), eye(true));
}

QImage CButtonPainter::PaintBands(const QImage& backdrop, const QColor& colour, const Glyph& normal,
                                  const Glyph& pressed) {
    const int w = backdrop.width();
    const int h = backdrop.height();
    QImage image(w, 4 * h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const State order[] = {State::disabled, State::normal, State::hot, State::pressed};
    for (int band = 0; band < 4; ++band) {
        p.save();
        p.translate(0, band * h);
        p.setClipRect(0, 0, w, h);
        p.drawImage(0, 0, backdrop);
        PaintTile(p, QSizeF(w, h), order[band], colour, order[band] == State::pressed ? pressed : normal);
        p.restore();
    }
    return image;
}

void CButtonPainter::PaintTile(QPainter& p, const QSizeF& size, State state, const QColor& colour,
                               const Glyph& glyph) {
    const qreal side = qMin(size.width(), size.height());
    const qreal radius = qMax(3.0, side * 0.2);
    QRectF tile(1.5, 1, size.width() - 3, size.height() - 3.5);
    QColor base = colour;
    QColor glyphColour = Qt::white;
    QColor outline = colour.darker(150);
    if (state == State::disabled) {
        base = QColor(0xb4, 0xba, 0xc4);
        glyphColour = QColor(0xe8, 0xeb, 0xef);
        outline = base.darker(118);
    } else if (state == State::hot) {
        base = colour.lighter(118);
    } else if (state == State::pressed) {
        base = colour.darker(125);
        tile.translate(0, 1.5);
    }

    p.setPen(Qt::NoPen);
    if (state != State::pressed) {
        p.setBrush(QColor(20, 40, 80, 60));
        p.drawRoundedRect(tile.translated(0, 1.5), radius, radius);
    }
    if (state == State::hot) {
        p.setBrush(QColor(255, 236, 130, 200));
        p.drawRoundedRect(tile.adjusted(-1.2, -1, 1.2, 1.2), radius + 1, radius + 1);
    }
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, base.lighter(state == State::pressed ? 95 : 120));
    fill.setColorAt(0.55, base);
    fill.setColorAt(1, base.darker(112));
    p.setBrush(fill);
    p.setPen(QPen(base.darker(state == State::disabled ? 115 : 140), 1));
    p.drawRoundedRect(tile, radius, radius);

    if (state == State::pressed) {
        // A shadow along the top edge: the tile looks pushed in.
        QLinearGradient inner(tile.topLeft(), tile.topLeft() + QPointF(0, side * 0.3));
        inner.setColorAt(0, QColor(0, 0, 0, 70));
        inner.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(inner);
        p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    } else {
        // A gloss over the upper half.
        QRectF gloss = tile.adjusted(2, 1.5, -2, 0);
        gloss.setHeight(tile.height() * 0.45);
        QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, state == State::disabled ? 60 : 110));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawRoundedRect(gloss, radius * 0.8, radius * 0.8);
    }

    const qreal margin = side * 0.2;
    const QRectF box = tile.adjusted(margin, margin, -margin, -margin);
    glyph(p, box, glyphColour, base.darker(state == State::pressed ? 105 : 110), outline);
}

void CButtonPainter::PaintEye(QPainter& p, const QRectF& box, bool closed, const QColor& glyph,
                              const QColor& outline) {
    const qreal side = qMin(box.width(), box.height()) * 1.15;
    const QPointF c = box.center();
    const qreal w = side / 2;
    const qreal h = side * 0.32;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath upper(QPointF(c.x() - w, c.y()));
    upper.quadTo(c.x(), c.y() - 2 * h, c.x() + w, c.y());
    if (closed) {
        // The lid down: a curve with lashes.
        QPainterPath lid(QPointF(c.x() - w, c.y() - h * 0.2));
        lid.quadTo(c.x(), c.y() + h * 1.4, c.x() + w, c.y() - h * 0.2);
        p.setPen(QPen(outline, side * 0.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(lid);
        p.setPen(QPen(glyph, side * 0.11, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(lid);
        for (int i = -1; i <= 1; ++i) {
            const QPointF from(c.x() + i * w * 0.5, c.y() + h * 0.45 - qAbs(i) * h * 0.15);
            p.drawLine(from, from + QPointF(i * w * 0.18, h * 0.7));
        }
    } else {
        QPainterPath eye = upper;
        eye.quadTo(c.x(), c.y() + 2 * h, c.x() - w, c.y());
        p.setPen(QPen(outline, side * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(glyph);
        p.drawPath(eye);
        p.setPen(Qt::NoPen);
        p.setBrush(outline);
        p.drawEllipse(c, h * 0.85, h * 0.85);
        p.setBrush(glyph);
        p.drawEllipse(c + QPointF(-h * 0.3, -h * 0.3), h * 0.25, h * 0.25);
    }
    p.restore();
}

QImage CButtonPainter::Tile(const QString& key, int size) {
    static const std::pair<const char*, Icon> keys[] = {
        {"quit", Icon::quit},          {"backgrounds", Icon::backgrounds},
        {"balloons", Icon::balloons},  {"characters", Icon::characters},
        {"props", Icon::props},        {"load", Icon::load},
        {"save", Icon::save},          {"print", Icon::print},
        {"move", Icon::move},          {"text", Icon::text},
        {"live", Icon::liveUpdate},    {"help", Icon::help},
        {"info", Icon::info},          {"glue", Icon::glue},
        {"up", Icon::layerUp},         {"down", Icon::layerDown},
        {"delete", Icon::layerDelete}, {"back", Icon::back},
        {"forward", Icon::forward}};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("eye")) {
        PaintTile(p, image.size(), State::normal, QColor(0x2f, 0x8f, 0xd8),
                  [](QPainter& q, const QRectF& box, const QColor& glyph, const QColor&,
                     const QColor& outline) { PaintEye(q, box, false, glyph, outline); });
        return image;
    }
    for (const auto& [name, icon] : keys) {
        if (key != QLatin1String(name))
            continue;
        QColor colour;
        for (const Button& button : Buttons())
            if (button.icon == icon)
                colour = QColor(button.colour);
        PaintTile(p, image.size(), State::normal, colour,
                  [icon](QPainter& q, const QRectF& box, const QColor& glyph, const QColor& detail,
                         const QColor& outline) { CIcons::Draw(q, icon, box, glyph, detail, outline); });
        return image;
    }
    return {};
}

QImage CButtonPainter::PaintHold() {
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(QColor(0xe3, 0xec, 0xf8));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card(5, 5, 110, 80);
    p.setPen(QPen(QColor(0x9d, 0xb4, 0xd8), 2.5, Qt::DashLine, Qt::RoundCap));
    p.setBrush(QColor(0xf6, 0xf9, 0xff));
    p.drawRoundedRect(card, 9, 9);
    // A faint picture sign: hills under a sun.
    const QColor ink(0xb9, 0xcb, 0xe6);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(44, 35), 7, 7);
    QPainterPath hills(QPointF(30, 66));
    hills.lineTo(50, 44);
    hills.lineTo(60, 55);
    hills.lineTo(72, 40);
    hills.lineTo(92, 66);
    hills.closeSubpath();
    p.drawPath(hills);
    p.end();
    return image;
}
