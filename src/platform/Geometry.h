#pragma once
// Points, sizes and rectangles, and the rectangle rules of the platform: half-open, empty when
// right <= left or bottom <= top.

#include "platform/WinTypes.h"

struct POINT {
    LONG x = 0, y = 0;
};

struct SIZE {
    LONG cx = 0, cy = 0;
};

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool operator==(const RECT&) const = default;
};

// value truncated toward zero, held within the range of LONG (0 for not a number).
LONG TruncateToLong(double value);

inline bool IsRectEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
void NormalizeRect(RECT& r);
// Union of two rectangles; an empty one adds nothing. Returns false when the result is empty.
bool UnionRect(RECT& dst, const RECT& a, const RECT& b);
inline void InflateRect(RECT& r, LONG dx, LONG dy) {
    r.left -= dx, r.top -= dy, r.right += dx, r.bottom += dy;
}
inline void OffsetRect(RECT& r, LONG dx, LONG dy) {
    r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
}
inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
