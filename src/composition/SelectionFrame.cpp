#include "composition/SelectionFrame.h"

#include <algorithm>
#include <cmath>

namespace {
// How far around its square a handle still takes a press.
constexpr int pickMargin = 2;
// Pixel places are held within a range where the frame's sums cannot overflow; a slot read from a file
// may lie anywhere.
constexpr LONG pixelLimit = 1 << 24;

LONG Pixel(double v) {
    return std::clamp(TruncateToLong(v), -pixelLimit, pixelLimit);
}
} // namespace

CSelectionFrame::CSelectionFrame(const SlotPlacement& place, double sx, double sy) {
    const double s = std::min(sx, sy);
    m_handleSize = std::max(designHandleSize, int(std::lround(designHandleSize * s))) | 1;
    m_lineWidth = std::max(1, int(std::lround(s)));
    // The pixels the layer covers, as composing places them, and which of their edges are the layer's near
    // ones (x, y) and far ones (x + width, y + height): on a mirrored axis the far one comes first.
    const auto span = [](std::int32_t place, std::int32_t size, double scale, LONG* nearEdge, LONG* farEdge) {
        const LONG first = Pixel(std::min<double>(place, double(place) + size) * scale);
        const LONG last = first + Pixel(std::abs(double(size)) * scale);
        *nearEdge = size < 0 ? last : first;
        *farEdge = size < 0 ? first : last;
    };
    LONG nearX, farX, nearY, farY;
    span(place.x, place.width, sx, &nearX, &farX);
    span(place.y, place.height, sy, &nearY, &farY);
    m_outline = {nearX, nearY, farX, farY};
    NormalizeRect(m_outline);
    // An edge's handle is centred on its pixels: the first of the outline or the last.
    const auto onX = [this](LONG edge) { return edge == m_outline.left ? edge : edge - 1; };
    const auto onY = [this](LONG edge) { return edge == m_outline.top ? edge : edge - 1; };
    const LONG midX = (m_outline.left + m_outline.right - 1) / 2,
               midY = (m_outline.top + m_outline.bottom - 1) / 2;
    const POINT centres[handleCount] = {
        {onX(nearX), midY},       {midX, onY(nearY)},      {onX(farX), midY},      {midX, onY(farY)},
        {onX(nearX), onY(nearY)}, {onX(farX), onY(nearY)}, {onX(farX), onY(farY)}, {onX(nearX), onY(farY)}};
    const int half = m_handleSize / 2;
    for (int i = 0; i < handleCount; ++i)
        m_handles[i] = {centres[i].x - half, centres[i].y - half, centres[i].x - half + m_handleSize,
                        centres[i].y - half + m_handleSize};
}

int CSelectionFrame::HandleAt(POINT p) const {
    for (int i = 0; i < handleCount; ++i) {
        RECT reach = m_handles[i];
        InflateRect(reach, pickMargin, pickMargin);
        if (PtInRect(reach, p))
            return i;
    }
    return -1;
}

StandardCursor CSelectionFrame::CursorOf(int handle) const {
    if (handle < 0 || handle >= handleCount)
        return StandardCursor::arrow;
    if (handle == 0 || handle == 2)
        return StandardCursor::sizeWE;
    if (handle == 1 || handle == 3)
        return StandardCursor::sizeNS;
    // A corner leans the way it lies from the middle, which a mirrored axis turns round.
    const RECT& h = m_handles[handle];
    const bool left = h.left + h.right < m_outline.left + m_outline.right;
    const bool top = h.top + h.bottom < m_outline.top + m_outline.bottom;
    return left == top ? StandardCursor::sizeNWSE : StandardCursor::sizeNESW;
}
