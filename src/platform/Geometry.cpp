#include "platform/Geometry.h"

#include <algorithm>
#include <limits>
#include <utility>

void NormalizeRect(RECT& r) {
    if (r.right < r.left)
        std::swap(r.left, r.right);
    if (r.bottom < r.top)
        std::swap(r.top, r.bottom);
}

bool UnionRect(RECT& dst, const RECT& a, const RECT& b) {
    if (IsRectEmpty(a))
        dst = b;
    else if (IsRectEmpty(b))
        dst = a;
    else
        dst = {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
               std::max(a.bottom, b.bottom)};
    if (IsRectEmpty(dst)) {
        dst = {};
        return false;
    }
    return true;
}

LONG TruncateToLong(double value) {
    constexpr double low = std::numeric_limits<LONG>::min();
    constexpr double high = std::numeric_limits<LONG>::max();
    return value != value ? 0 : LONG(std::clamp(value, low, high));
}
