#pragma once
// The state behind a device context, shared by the files that implement CDC's drawing.

#include "platform/DC.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <algorithm>

struct CDC::Impl {
    // Window contexts draw into image; memory contexts into their selected bitmap; printer contexts through
    // a painter that someone else began and will end.
    QImage* image = nullptr;
    std::function<void()> release;
    QPainter* painter = nullptr;
    bool memory = false;
    int pageWidth = 0, pageHeight = 0, dpiX = 96, dpiY = 96;

    CPen* pen = nullptr;
    CBrush* brush = nullptr;
    CFont* font = nullptr;
    CBitmap* bitmap = nullptr;
    CPalette* palette = nullptr;
    bool paletteBackground = false;
    int stretchMode = BLACKONWHITE;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backColour = RGB(255, 255, 255);
    int backMode = OPAQUE;

    // The pixels drawn into, or null for a printer or a memory context without a bitmap.
    QImage* Surface() const;

    // Runs draw with a painter on the device and reports whether there was one. On images the painter lives
    // for this call only, since other contexts of the same surface may be alive and draw in between.
    template <class Draw> bool Paint(Draw&& draw) {
        if (painter) {
            painter->save();
            Prepare(*painter);
            draw(*painter);
            painter->restore();
            return true;
        }
        QImage* surface = Surface();
        if (!surface || surface->isNull())
            return false;
        QPainter p(surface);
        Prepare(p);
        draw(p);
        return true;
    }

    // The selected font, or the default one.
    QFont Font() const;
    bool FontAntialiased() const;
    // Font, text colour and background as the context says.
    void PrepareText(QPainter& p, const QFont& textFont) const;
    QPen Pen() const;
    QBrush Brush() const;

private:
    static void Prepare(QPainter& p);
};

// Coordinates as Qt takes them: kept within a range where sizes cannot overflow and Qt's rasteriser stays
// exact. Rectangles and points may come from stored files.
constexpr int coordinateLimit = 1 << 24;
inline int ToQCoordinate(LONG v) {
    return int(std::clamp<LONG>(v, -coordinateLimit, coordinateLimit));
}
inline QRect ToQRect(const RECT& r) {
    return QRect(QPoint(ToQCoordinate(r.left), ToQCoordinate(r.top)),
                 QPoint(ToQCoordinate(r.right) - 1, ToQCoordinate(r.bottom) - 1));
}

inline QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
