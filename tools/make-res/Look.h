#pragma once
// The shared look of the tool's pictures: fonts, the general 256-colour palette, panels and the name logo.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;

namespace look {

QFont Font(qreal pixelSize, bool bold = true);
// A 6 x 6 x 6 colour cube, a grey ramp and the light tints of the screen: a good general palette for
// 256-colour screens.
QVector<QRgb> GeneralPalette();
// A raised rounded panel with a soft shadow.
void Panel(QPainter& p, const QRectF& r, qreal radius, const QColor& fill);
// A sunken well, as around the picture area and the strips.
void Well(QPainter& p, const QRectF& r, qreal radius, const QColor& fill);
// The program's name in bright letters with an outline, centred in r at the given letter height.
void Logo(QPainter& p, const QRectF& r, qreal pixelSize);
// The sky of the screen and the pictures that share its look.
void Sky(QPainter& p, const QRectF& r);

} // namespace look
