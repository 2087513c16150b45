#include "HelpFigures.h"
#include "BalloonPainter.h"
#include "ButtonPainter.h"
#include "ContentConverter.h"
#include "Look.h"
#include "ScreenLayout.h"
#include "StandInPainter.h"
#include "app/ProgramTexts.h"
#include "app/TextDialogLayout.h"
#include <QPainter>
#include <QPainterPath>

using namespace layout;

namespace {

// Figures are drawn in their own units, scaled to the place they get on the page.
QSizeF FigureSize(const QString& name) {
    if (name == QLatin1String("screen"))
        return {788, 550};
    if (name == QLatin1String("steps"))
        return {788, 620};
    if (name == QLatin1String("layers"))
        return {400, 560};
    if (name == QLatin1String("move"))
        return {788, 640};
    if (name == QLatin1String("text"))
        return {788, 720};
    if (name == QLatin1String("files"))
        return {788, 720};
    return {};
}

void Badge(QPainter& p, QPointF c, int number, qreal radius) {
    p.save();
    p.setPen(QPen(Qt::white, radius * 0.22));
    p.setBrush(QColor(0xe5, 0x48, 0x4d));
    p.drawEllipse(c, radius, radius);
    p.setFont(look::Font(radius * 1.2));
    p.setPen(Qt::white);
    p.drawText(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
               QString::number(number));
    p.restore();
}

// A mouse pointer with its tip at tip.
void Pointer(QPainter& p, QPointF tip, qreal size) {
    QPainterPath arrow(tip);
    const qreal s = size / 20;
    arrow.lineTo(tip + QPointF(0, 17 * s));
    arrow.lineTo(tip + QPointF(4.5 * s, 13 * s));
    arrow.lineTo(tip + QPointF(7.5 * s, 20 * s));
    arrow.lineTo(tip + QPointF(10 * s, 19 * s));
    arrow.lineTo(tip + QPointF(7 * s, 12 * s));
    arrow.lineTo(tip + QPointF(12.5 * s, 12 * s));
    arrow.closeSubpath();
    p.save();
    p.setPen(QPen(Qt::black, size * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, qreal width, const QColor& colour) {
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    QLineF line(to, from);
    line.setLength(width * 2.2);
    p.drawLine(from, line.p2());
    QLineF side = line.normalVector();
    side.setLength(width * 1.8);
    const QPointF offset = side.p2() - side.p1();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to, line.p2() + offset, line.p2() - offset}));
    p.restore();
}

// A picture with its coverage as transparency, trimmed and fitted into r.
void Fitted(QPainter& p, const QImage& image, const QRectF& r) {
    QSizeF size = image.size();
    size.scale(r.size(), Qt::KeepAspectRatio);
    p.drawImage(QRectF(r.center() - QPointF(size.width() / 2, size.height() / 2), size), image);
}

QImage Trimmed(const QImage& image) {
    return CContentConverter::Trim(image);
}

} // namespace

CHelpFigures::CHelpFigures(const QImage& screen) : m_character(Trimmed(CStandInPainter::Character(1))) {
    m_sample = SampleScreen(screen);
}

qreal CHelpFigures::Aspect(const QString& name) {
    const QSizeF size = FigureSize(name);
    return size.isEmpty() ? 0 : size.width() / size.height();
}

QImage CHelpFigures::SampleScreen(const QImage& screen) const {
    QImage sample = screen.convertToFormat(QImage::Format_RGB32);
    QPainter p(&sample);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Button& button : Buttons()) {
        const QImage bands = CButtonPainter::Paint(screen, button);
        const int q = bands.height() / 4;
        p.drawImage(button.Rect().topLeft(), bands.copy(0, q, bands.width(), q));
    }
    // A sample picture: hills, a character, a ball and a balloon.
    const QImage hills = CStandInPainter::Background(0);
    const QImage ball = Trimmed(CStandInPainter::Prop(0));
    const QImage balloon = Trimmed(CBalloonPainter::Paint(CBalloonPainter::speechLeft));
    p.drawImage(QRectF(pictureArea), hills);
    Fitted(p, m_character, QRectF(120, 190, 190, 230));
    Fitted(p, ball, QRectF(360, 340, 90, 90));
    Fitted(p, balloon, QRectF(270, 70, 200, 150));
    p.setFont(look::Font(30));
    p.setPen(QColor(0x2a, 0x2a, 0x3a));
    p.drawText(QRectF(290, 80, 170, 100), Qt::AlignCenter, QStringLiteral("Hi!"));

    // The thumb strip showing four backgrounds, the picked cell and the layers.
    const QImage hold = CButtonPainter::PaintHold();
    for (int i = 0; i < 4; ++i) {
        const QRectF cell(190 + i * 70, 474, 66, 50);
        p.drawImage(cell, CStandInPainter::Background(i));
        if (i == 1) {
            p.setPen(QPen(QColor(0xf0, 0x8a, 0x24), 3));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell.adjusted(-1, -1, 1, 1));
        }
    }
    p.drawImage(QRectF(pickedCell), CStandInPainter::Background(1));
    const QImage bands = CButtonPainter::PaintHideToggle();
    const int q = bands.height() / 4;
    const QImage eye = bands.copy(0, q, bands.width(), q);
    const QImage layers[4] = {balloon, ball, m_character, hills};
    const char* labels[4] = {"ispeech-left", "ibeach-ball", "icreature", "isunny-hills"};
    for (int i = 0; i < 10; ++i) {
        const int h = layerHeight;
        const QRect row(layerStrip.left() + 4, layerStrip.top() + 4 + i * (h + 3), layerStrip.width() - 8, h);
        const int g = 4 * h / 3;
        const int filled = i - 6;
        p.fillRect(row, QColor(0xf6, 0xf9, 0xff));
        if (filled >= 0) {
            p.fillRect(QRect(row.left(), row.top(), g, h), Qt::white);
            Fitted(p, layers[filled], QRectF(row.left() + 2, row.top() + 2, g - 4, h - 4));
            p.setFont(look::Font(11, false));
            p.setPen(QColor(25, 30, 230));
            p.drawText(QRectF(row.left() + g + h + 6, row.top(), row.width() - g - h - 6, h),
                       Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(labels[filled]));
        } else {
            p.drawImage(QRectF(row.left(), row.top(), g, h), hold);
        }
        p.drawImage(row.left() + g + 2, row.top(), eye);
        if (i == 6) {
            p.setPen(QPen(QColor(0xe5, 0x48, 0x4d), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(row).adjusted(-1, -1, 1, 1));
        }
    }
    p.end();
    return sample;
}

bool CHelpFigures::Draw(QPainter& p, const QString& name, const QRectF& r, int language) const {
    const QSizeF size = FigureSize(name);
    if (size.isEmpty())
        return false;
    QSizeF fitted = size;
    fitted.scale(r.size(), Qt::KeepAspectRatio);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(r.center() - QPointF(fitted.width() / 2, fitted.height() / 2));
    p.scale(fitted.width() / size.width(), fitted.height() / size.height());
    if (name == QLatin1String("screen"))
        DrawScreen(p);
    else if (name == QLatin1String("steps"))
        DrawSteps(p);
    else if (name == QLatin1String("layers"))
        DrawLayers(p);
    else if (name == QLatin1String("move"))
        DrawMove(p);
    else if (name == QLatin1String("text"))
        DrawText(p, language);
    else
        DrawFiles(p);
    p.restore();
    return true;
}

void CHelpFigures::DrawScreen(QPainter& p) const {
    p.drawImage(QPointF(0, 0), m_sample);
    p.setPen(QPen(QColor(0x3a, 0x4f, 0x7a), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0, 0, 788, 550));
    const QPointF places[9] = {{40, 60},  {146, 470}, {330, 470}, {540, 470}, {690, 400},
                               {760, 61}, {770, 170}, {775, 203}, {736, 40}};
    for (int i = 0; i < 9; ++i)
        Badge(p, places[i], i + 1, 17);
}

void CHelpFigures::DrawSteps(QPainter& p) const {
    // Four panels, each a part of the sample screen with a pointer where to click.
    struct Step {
        QRect part;
        QPointF click;
    };
    const Step steps[4] = {{QRect(0, 440, 160, 110), {38, 478}},
                           {QRect(156, 462, 260, 72), {290, 500}},
                           {QRect(440, 462, 140, 72), {540, 500}},
                           {QRect(0, 0, 573, 446), {-1, -1}}};
    for (int i = 0; i < 4; ++i) {
        const QRectF cell((i % 2) * 400, (i / 2) * 320, 388, 300);
        look::Panel(p, cell, 14, QColor(0xf4, 0xf8, 0xff));
        const QRectF inner = cell.adjusted(14, 40, -14, -14);
        QSizeF size = steps[i].part.size();
        size.scale(inner.size(), Qt::KeepAspectRatio);
        const QRectF place(inner.center() - QPointF(size.width() / 2, size.height() / 2), size);
        p.drawImage(place, m_sample.copy(steps[i].part));
        if (steps[i].click.x() >= 0) {
            const qreal s = place.width() / steps[i].part.width();
            Pointer(p, place.topLeft() + (steps[i].click - steps[i].part.topLeft()) * s, 44);
        }
        Badge(p, cell.topLeft() + QPointF(30, 28), i + 1, 26);
    }
}

void CHelpFigures::DrawLayers(QPainter& p) const {
    // The layer buttons above the strip, both taken from the sample screen, side by side in one column.
    const QRect buttonsPart(603, 185, 168, 36);
    const QRect stripPart(597, 228, 186, 314);
    p.drawImage(QRectF(0, 0, 400, 400.0 * 36 / 168), m_sample.copy(buttonsPart));
    const qreal top = 400.0 * 36 / 168 + 14;
    const qreal h = 560 - top;
    const qreal w = h * 186 / 314;
    p.drawImage(QRectF((400 - w) / 2, top, w, h), m_sample.copy(stripPart));
    Arrow(p, QPointF(40, top + h * 0.85), QPointF(40, top + h * 0.2), 8, QColor(0xe5, 0x48, 0x4d));
}

void CHelpFigures::DrawMove(QPainter& p) const {
    // Left: the selected layer in its frame, dragged by a corner. Right: dragged past its side, mirrored.
    const QImage hills = CStandInPainter::Background(0);
    for (int side = 0; side < 2; ++side) {
        const QRectF cell(side * 404, 0, 384, 640);
        look::Panel(p, cell, 14, QColor(0xf4, 0xf8, 0xff));
        const QRectF picture = cell.adjusted(16, 16, -16, -16);
        p.drawImage(picture, hills.copy(200, 0, 400, 600));
        const QRectF frame = side ? QRectF(110 + 404, 190, 200, 280) : QRectF(70, 190, 200, 280);
        QImage figure = m_character;
        if (side)
            figure = figure.mirrored(true, false);
        Fitted(p, figure, frame);
        QPen dots(Qt::black, 2, Qt::DotLine);
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        const QPointF handles[8] = {frame.topLeft(),
                                    frame.topRight(),
                                    frame.bottomLeft(),
                                    frame.bottomRight(),
                                    {frame.center().x(), frame.top()},
                                    {frame.center().x(), frame.bottom()},
                                    {frame.left(), frame.center().y()},
                                    {frame.right(), frame.center().y()}};
        for (const QPointF& h : handles)
            p.drawRect(QRectF(h - QPointF(7, 7), QSizeF(14, 14)));
        if (side) {
            Arrow(p, QPointF(frame.right() + 40, frame.center().y()),
                  QPointF(frame.left() - 50, frame.center().y()), 9, QColor(0xe5, 0x48, 0x4d));
        } else {
            Arrow(p, frame.bottomRight(), frame.bottomRight() + QPointF(70, 80), 9, QColor(0xe5, 0x48, 0x4d));
            Pointer(p, frame.bottomRight() + QPointF(74, 84), 48);
        }
    }
}

void CHelpFigures::DrawText(QPainter& p, int language) const {
    // The Text dialog with its controls, and the words on a balloon.
    const QRectF dialog(0, 0, 788, 417);
    look::Panel(p, dialog.adjusted(-4, -4, 4, 4), 10, QColor(0xe8, 0xee, 0xf6));
    const qreal sx = 788 / 419.0, sy = 417 / 222.0;
    const auto unit = [&](const TextDialogPlace& r) {
        return QRectF(r.x * 1.5 * sx, r.y * 1.625 * sy, r.cx * 1.5 * sx, r.cy * 1.625 * sy);
    };
    look::Sky(p, dialog);
    p.setPen(QPen(QColor(0x7a, 0x8a, 0xa8), 2));
    p.setBrush(Qt::white);
    p.drawRect(unit(textDialogEdit));
    p.setFont(look::Font(34, false));
    p.setPen(QColor(0x32, 0x00, 0x1e));
    p.drawText(unit(textDialogEdit).adjusted(14, 10, -14, -10), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Hi!"));
    for (const TextDialogButton& button : textDialogButtons) {
        const QRectF r = unit(button.place);
        p.setPen(QPen(QColor(0x7a, 0x8a, 0xa8), 2));
        p.setBrush(QColor(0xf0, 0xf2, 0xf6));
        p.drawRoundedRect(r, 6, 6);
        p.setPen(Qt::black);
        // Longer words of some languages get a smaller size, so that each keeps a margin in its button.
        const QString words = QString::fromUtf8(ProgramWords(button.words, language));
        int size = 22;
        do
            p.setFont(look::Font(size--, false));
        while (size > 12 && p.fontMetrics().horizontalAdvance(words) > r.width() - 16);
        p.drawText(r, Qt::AlignCenter, words);
    }
    const QImage balloon = Trimmed(CBalloonPainter::Paint(CBalloonPainter::speechRight));
    const QRectF below(150, 440, 488, 280);
    Fitted(p, balloon, below);
    p.setFont(look::Font(64));
    p.setPen(QColor(0x32, 0x00, 0x1e));
    p.drawText(below.adjusted(0, -40, 0, -40), Qt::AlignCenter, QStringLiteral("Hi!"));
    Arrow(p, QPointF(90, 400), QPointF(150, 520), 9, QColor(0xe5, 0x48, 0x4d));
}

void CHelpFigures::DrawFiles(QPainter& p) const {
    // A layered .qmf picture beside a flat .bmp picture, and the three file buttons.
    const QImage hills = CStandInPainter::Background(0);
    const QImage ball = Trimmed(CStandInPainter::Prop(0));
    for (int i = 0; i < 3; ++i) {
        QRectF sheet(30 + i * 40, 30 + i * 40, 280, 210);
        look::Panel(p, sheet, 6, Qt::white);
        const QRectF inner = sheet.adjusted(10, 10, -10, -10);
        if (i == 0)
            p.drawImage(inner, hills);
        else
            Fitted(p, i == 1 ? m_character : ball, inner);
    }
    QRectF flat(440, 110, 320, 240);
    look::Panel(p, flat, 6, Qt::white);
    p.drawImage(flat.adjusted(10, 10, -10, -10), m_sample.copy(pictureArea));
    p.setFont(look::Font(36));
    p.setPen(QColor(0x2c, 0x3e, 0x66));
    p.drawText(QRectF(30, 340, 380, 60), Qt::AlignCenter, QStringLiteral(".qmf"));
    p.drawText(QRectF(440, 360, 320, 60), Qt::AlignCenter, QStringLiteral(".bmp"));
    const char* keys[3] = {"save", "load", "print"};
    for (int i = 0; i < 3; ++i)
        p.drawImage(QPointF(154 + i * 180, 470), CButtonPainter::Tile(QString::fromLatin1(keys[i]), 160));
}
