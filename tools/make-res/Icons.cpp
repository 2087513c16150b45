#include "Icons.h"
#include "Look.h"
#include <QPainter>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

using layout::Icon;

namespace {

QPainterPath Stroke(const QPainterPath& path, qreal width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

QPainterPath Line(QPointF a, QPointF b, qreal width) {
    QPainterPath path(a);
    path.lineTo(b);
    return Stroke(path, width);
}

// A filled polygon whose corners are rounded by a thin stroke around it.
QPainterPath Polygon(std::initializer_list<QPointF> points, qreal rounding = 6) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path.united(Stroke(path, rounding));
}

QPainterPath Rounded(qreal x, qreal y, qreal w, qreal h, qreal r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath Circle(qreal cx, qreal cy, qreal r) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

// A straight arrow with a triangular head at b.
QPainterPath Arrow(QPointF a, QPointF b, qreal width, qreal head) {
    QLineF line(b, a);
    line.setLength(head);
    const QPointF base = line.p2();
    QLineF side = line.normalVector();
    side.setLength(head * 0.75);
    const QPointF offset = side.p2() - side.p1();
    return Line(a, base, width).united(Polygon({b, base + offset, base - offset}, 4));
}

// A glyph of the given text, centred in the 100-unit box.
QPainterPath Letters(const QString& text, qreal size, bool serif) {
    QFont font = serif ? QFont(QStringLiteral("DejaVu Serif")) : look::Font(size);
    font.setPixelSize(int(size));
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path.translated(QPointF(50, 50) - path.boundingRect().center());
}

QPainterPath Sheet(qreal cy) {
    return Polygon({{6, cy}, {38, cy - 13}, {70, cy}, {38, cy + 13}}, 5);
}

} // namespace

CIcons::Shape CIcons::Make(Icon icon) {
    Shape s;
    switch (icon) {
    case Icon::quit: {
        QPainterPath arc;
        arc.arcMoveTo(QRectF(16, 18, 68, 68), 125);
        arc.arcTo(QRectF(16, 18, 68, 68), 125, 290);
        s.body = Stroke(arc, 13).united(Line({50, 10}, {50, 46}, 13));
        break;
    }
    case Icon::backgrounds:
        s.body = Rounded(8, 16, 84, 68, 8);
        s.detail = Polygon({{16, 76}, {38, 44}, {50, 58}, {64, 38}, {84, 76}}, 3).united(Circle(30, 32, 7));
        break;
    case Icon::balloons:
        s.body = QPainterPath();
        s.body.addEllipse(QRectF(6, 12, 88, 60));
        s.body = s.body.united(Polygon({{24, 60}, {16, 92}, {48, 68}}, 4));
        s.detail = Circle(31, 42, 6).united(Circle(50, 42, 6)).united(Circle(69, 42, 6));
        break;
    case Icon::characters: {
        QPainterPath shoulders;
        shoulders.addEllipse(QRectF(18, 56, 64, 60));
        QPainterPath cut;
        cut.addRect(0, 0, 100, 92);
        s.body = Circle(50, 32, 20).united(shoulders.intersected(cut));
        QPainterPath smile;
        smile.arcMoveTo(QRectF(40, 26, 20, 16), 200);
        smile.arcTo(QRectF(40, 26, 20, 16), 200, 140);
        s.detail = Circle(43, 28, 3.2).united(Circle(57, 28, 3.2)).united(Stroke(smile, 3.5));
        break;
    }
    case Icon::props:
        s.body = Polygon({{8, 50}, {50, 14}, {92, 50}})
                     .united(Rounded(20, 44, 60, 46, 3))
                     .united(Rounded(66, 18, 12, 26, 2));
        s.detail = Rounded(44, 62, 16, 28, 3).united(Rounded(27, 55, 12, 12, 2));
        break;
    case Icon::load:
        s.body = Rounded(8, 34, 84, 56, 7).united(Rounded(8, 26, 34, 16, 5));
        s.detail = Arrow({50, 82}, {50, 46}, 9, 18);
        break;
    case Icon::save:
        s.body = Polygon({{12, 12}, {76, 12}, {88, 24}, {88, 88}, {12, 88}}, 8);
        s.detail = Rounded(30, 12, 38, 24, 2)
                       .subtracted(Rounded(54, 16, 8, 16, 1))
                       .united(Stroke(Rounded(24, 52, 52, 30, 3), 5));
        break;
    case Icon::print:
        s.body =
            Rounded(28, 8, 44, 34, 2).united(Rounded(8, 34, 84, 38, 8)).united(Rounded(24, 58, 52, 34, 2));
        s.detail =
            Line({34, 72}, {66, 72}, 5).united(Line({34, 82}, {58, 82}, 5)).united(Circle(80, 44, 3.5));
        break;
    case Icon::move:
        s.body = Arrow({50, 50}, {50, 8}, 11, 20)
                     .united(Arrow({50, 50}, {50, 92}, 11, 20))
                     .united(Arrow({50, 50}, {8, 50}, 11, 20))
                     .united(Arrow({50, 50}, {92, 50}, 11, 20));
        break;
    case Icon::text:
        s.body = Letters(QStringLiteral("Aa"), 62, false);
        break;
    case Icon::liveUpdate: {
        const QRectF ring(18, 18, 64, 64);
        QPainterPath upper, lower;
        upper.arcMoveTo(ring, 30);
        upper.arcTo(ring, 30, 140);
        lower.arcMoveTo(ring, 210);
        lower.arcTo(ring, 210, 140);
        s.body = Stroke(upper, 11)
                     .united(Stroke(lower, 11))
                     .united(Polygon({{4, 44}, {32, 44}, {18, 64}}, 4))
                     .united(Polygon({{68, 56}, {96, 56}, {82, 36}}, 4));
        break;
    }
    case Icon::help:
        s.body = Letters(QStringLiteral("?"), 96, false);
        break;
    case Icon::info:
        s.body = Letters(QStringLiteral("i"), 96, true);
        break;
    case Icon::glue:
        s.body = Rounded(24, 40, 52, 52, 9)
                     .united(Polygon({{32, 30}, {68, 30}, {76, 46}, {24, 46}}, 4))
                     .united(Polygon({{42, 30}, {47, 8}, {53, 8}, {58, 30}}, 3));
        {
            QPainterPath drop;
            drop.moveTo(50, 56);
            drop.cubicTo(58, 66, 62, 72, 62, 76);
            drop.cubicTo(62, 83, 56, 88, 50, 88);
            drop.cubicTo(44, 88, 38, 83, 38, 76);
            drop.cubicTo(38, 72, 42, 66, 50, 56);
            s.detail = drop;
        }
        break;
    case Icon::layerUp:
    case Icon::layerDown: {
        const bool up = icon == Icon::layerUp;
        s.body = Sheet(72).united(Sheet(54));
        s.detail = Stroke(Sheet(54), 4);
        s.body = s.body.united(up ? Arrow({84, 90}, {84, 10}, 10, 24) : Arrow({84, 10}, {84, 90}, 10, 24));
        break;
    }
    case Icon::layerDelete:
        s.body = Rounded(14, 18, 72, 12, 4)
                     .united(Rounded(38, 8, 24, 14, 4))
                     .united(Polygon({{22, 34}, {78, 34}, {72, 92}, {28, 92}}, 6));
        s.detail = Rounded(44, 12, 12, 6, 2)
                       .united(Line({38, 44}, {40, 82}, 5))
                       .united(Line({50, 44}, {50, 82}, 5))
                       .united(Line({62, 44}, {60, 82}, 5));
        break;
    case Icon::back:
        s.body = Polygon({{70, 14}, {24, 50}, {70, 86}}, 14);
        break;
    case Icon::forward:
        s.body = Polygon({{30, 14}, {76, 50}, {30, 86}}, 14);
        break;
    case Icon::undo:
    case Icon::redo: {
        // A bow over the top from the right to the left, its head pointing down: back. Mirrored: forward.
        const QRectF ring(22, 30, 60, 56);
        QPainterPath bow;
        bow.arcMoveTo(ring, -20);
        bow.arcTo(ring, -20, 185);
        const QPainterPath back = Stroke(bow, 12).united(Polygon({{6, 50}, {40, 50}, {23, 76}}, 4));
        s.body = icon == Icon::undo ? back : QTransform(-1, 0, 0, 1, 100, 0).map(back);
        break;
    }
    }
    return s;
}

void CIcons::Draw(QPainter& p, Icon icon, const QRectF& box, const QColor& glyph, const QColor& detail,
                  const QColor& outline) {
    const Shape s = Make(icon);
    // Fit the glyph's own bounds into box, so narrow buttons still get a large glyph.
    const QRectF bounds = s.body.boundingRect();
    const qreal scale = qMin(box.width() / bounds.width(), box.height() / bounds.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-bounds.center());
    const qreal rim = qMax(5.0, 1.1 / scale);
    QColor shadow = outline;
    shadow.setAlpha(110);
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawPath(s.body.translated(0, rim * 0.9));
    p.setPen(QPen(outline, rim, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(glyph);
    p.drawPath(s.body);
    p.setPen(Qt::NoPen);
    p.drawPath(s.body);
    p.setBrush(detail);
    p.drawPath(s.detail);
    p.restore();
}
