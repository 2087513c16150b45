#include "platform/DC.h"

#include "platform/DCImpl.h"

#include <QPolygon>
#include <algorithm>

namespace {

// The platform's 3-D colours.
constexpr COLORREF highlight = RGB(255, 255, 255);
constexpr COLORREF light = RGB(227, 227, 227);
constexpr COLORREF shadow = RGB(160, 160, 160);
constexpr COLORREF darkShadow = RGB(105, 105, 105);

QPolygon ToPolygon(const POINT* points, int count) {
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i)
        polygon.setPoint(i, ToQCoordinate(points[i].x), ToQCoordinate(points[i].y));
    return polygon;
}

} // namespace

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags) {
    if (!rect)
        return FALSE;
    RECT r = *rect;
    // Each border is one pixel: its top and left in the first colour, then its bottom and right in the
    // second, which so own the top-right and bottom-left corners.
    auto border = [&](COLORREF topLeft, COLORREF bottomRight) {
        if (IsRectEmpty(r))
            return;
        if (flags & BF_TOP)
            FillSolidRect({r.left, r.top, r.right, r.top + 1}, topLeft);
        if (flags & BF_LEFT)
            FillSolidRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
        if (flags & BF_BOTTOM)
            FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        if (flags & BF_RIGHT)
            FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
        r = {r.left + (flags & BF_LEFT ? 1 : 0), r.top + (flags & BF_TOP ? 1 : 0),
             r.right - (flags & BF_RIGHT ? 1 : 0), r.bottom - (flags & BF_BOTTOM ? 1 : 0)};
    };
    if (edge & BDR_RAISEDOUTER)
        border(light, darkShadow);
    else if (edge & BDR_SUNKENOUTER)
        border(shadow, highlight);
    if (edge & BDR_RAISEDINNER)
        border(highlight, shadow);
    else if (edge & BDR_SUNKENINNER)
        border(darkShadow, light);
    return TRUE;
}

void CDC::DrawFocusRect(const RECT* rect) {
    QImage* surface = d->Surface();
    if (!rect || !surface || surface->depth() != 32 || IsRectEmpty(*rect))
        return;
    // The border's pixels on a checkerboard fixed to the surface, each inverted exactly once, so that
    // drawing the same rectangle again restores them whatever its size.
    const RECT& r = *rect;
    const int top = std::max<LONG>(r.top, 0), bottom = std::min<LONG>(r.bottom, surface->height());
    const int left = std::max<LONG>(r.left, 0), right = std::min<LONG>(r.right, surface->width());
    auto invert = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            reinterpret_cast<QRgb*>(surface->scanLine(y))[x] ^= 0xFFFFFF;
    };
    for (int y = top; y < bottom; ++y) {
        if (y == r.top || y == r.bottom - 1) {
            for (int x = left; x < right; ++x)
                invert(x, y);
            continue;
        }
        if (r.left >= left && r.left < right)
            invert(r.left, y);
        if (r.right - 1 != r.left && r.right - 1 >= left && r.right - 1 < right)
            invert(r.right - 1, y);
    }
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    const QPolygon polygon = ToPolygon(points, count);
    return d->Paint([&](QPainter& p) {
        p.setPen(d->Pen());
        p.setBrush(d->Brush());
        p.drawPolygon(polygon, Qt::OddEvenFill);
    });
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    const QPolygon polygon = ToPolygon(points, count);
    return d->Paint([&](QPainter& p) {
        p.setPen(d->Pen());
        p.drawPolyline(polygon);
    });
}
