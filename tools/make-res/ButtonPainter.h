#pragma once
// Button pictures: four bands of equal height stacked from the top (disabled, normal, hot, pressed), each
// drawn over the part of the screen background that the button covers so its rounded corners blend in.
// Also the hide toggle (an eye) and the overlay of empty picture cells.

#include "ScreenLayout.h"
#include <QColor>
#include <QImage>
#include <QRectF>
#include <functional>

class QPainter;

class CButtonPainter {
public:
    static QImage Paint(const QImage& screen, const layout::Button& button);
    // The layer control's hide toggle: an open eye, closed in the pressed band (a hidden layer).
    static QImage PaintHideToggle();
    // The overlay of empty picture cells, 4:3.
    static QImage PaintHold();
    // The normal look of a button (by its help key: quit, load, ..., up, down, delete, eye) as a square tile
    // of the given size over a transparent ground; a null image for an unknown key.
    static QImage Tile(const QString& key, int size);

private:
    enum class State { disabled, normal, hot, pressed };
    // Draws the glyph centred in box: glyph fill, detail and outline colours follow the state.
    using Glyph = std::function<void(QPainter&, const QRectF& box, const QColor& glyph, const QColor& detail,
                                     const QColor& outline)>;
    // Four bands over the given backdrop (the size of one band), each a tile with its glyph.
    static QImage PaintBands(const QImage& backdrop, const QColor& colour, const Glyph& normal,
                             const Glyph& pressed);
    static void PaintTile(QPainter& p, const QSizeF& size, State state, const QColor& colour,
                          const Glyph& glyph);
    static void PaintEye(QPainter& p, const QRectF& box, bool closed, const QColor& glyph,
                         const QColor& outline);
};
