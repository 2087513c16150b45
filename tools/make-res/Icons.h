#pragma once
// The command icons of the button pictures, drawn as white glyphs with details in the button's colour.

#include "ScreenLayout.h"
#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

class CIcons {
public:
    // Draws icon centred in box (kept square). detail is the colour of holes and inner lines, outline the
    // colour of the glyph's rim.
    static void Draw(QPainter& p, layout::Icon icon, const QRectF& box, const QColor& glyph,
                     const QColor& detail, const QColor& outline);

private:
    struct Shape {
        QPainterPath body;   // filled with the glyph colour
        QPainterPath detail; // filled with the detail colour on top
    };
    // Each shape lies in a 100 x 100 box.
    static Shape Make(layout::Icon icon);
};
