#include "composition/SlotDrag.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace {
// Which edges of an axis a handle moves: the near one (x, and with it the width the other way) or the
// far one (x + width).
struct HandleEdges {
    bool nearX, farX, nearY, farY;
};
constexpr HandleEdges handleEdges[] = {
    {true, false, false, false}, // 0: middle of the left edge
    {false, false, true, false}, // 1: middle of the top edge
    {false, true, false, false}, // 2: middle of the right edge
    {false, false, false, true}, // 3: middle of the bottom edge
    {true, false, true, false},  // 4: top-left corner
    {false, true, true, false},  // 5: top-right corner
    {false, true, false, true},  // 6: bottom-right corner
    {true, false, false, true},  // 7: bottom-left corner
};

// A slot read from a file may lie anywhere: every sum is held within the coordinate range.
std::int32_t Held(std::int64_t value) {
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// A size the stretch may give: at least the minimum either way, on the side the pointer is.
std::int64_t Sized(std::int64_t size) {
    if (size >= CSlotDrag::minimumSize || size <= -CSlotDrag::minimumSize)
        return size;
    return size < 0 ? -CSlotDrag::minimumSize : CSlotDrag::minimumSize;
}

// One axis: place and size at the press, moved by d design units at the near or far edge (or both: the
// body), the other edge staying where it was.
void Stretch(std::int32_t& place, std::int32_t& size, std::int32_t d, bool nearEdge, bool farEdge) {
    if (d == 0 || (!nearEdge && !farEdge))
        return;
    if (nearEdge && farEdge) {
        place = Held(std::int64_t(place) + d);
    } else if (nearEdge) {
        const std::int64_t fixed = std::int64_t(place) + size;
        const std::int64_t sized = Sized(std::int64_t(size) - d);
        place = Held(fixed - sized);
        size = Held(sized);
    } else {
        size = Held(Sized(std::int64_t(size) + d));
    }
}
} // namespace

std::int32_t CSlotDrag::DesignUnits(LONG pixels, double s) {
    if (!(s > 0))
        return 0;
    return Held(std::llround(std::clamp(pixels / s, -4e9, 4e9)));
}

SlotPlacement CSlotDrag::PlaceFor(POINT travel, double sx, double sy) const {
    const HandleEdges edges = m_handle >= 0 && m_handle < int(std::size(handleEdges))
                                  ? handleEdges[m_handle]
                                  : HandleEdges{true, true, true, true};
    SlotPlacement place = m_atPress;
    Stretch(place.x, place.width, DesignUnits(travel.x, sx), edges.nearX, edges.farX);
    Stretch(place.y, place.height, DesignUnits(travel.y, sy), edges.nearY, edges.farY);
    return place;
}
