#pragma once
// A drag of the selected layer, measured from its press: the layer's place at the press and the handle
// pressed (-1: the body) decide where it lies for any travel of the pointer since. The travel is converted
// to design units as a whole, so no part of a pointer move is lost however small the steps.

#include "composition/SlotPlacement.h"
#include "platform/WinTypes.h"

class CSlotDrag {
public:
    // A stretch never makes a layer narrower or lower than this, in design units: it stays visible and
    // can be taken again. Past the opposite edge it comes out mirrored at this size at least.
    static constexpr std::int32_t minimumSize = 12;

    CSlotDrag(const SlotPlacement& atPress, int handle) : m_atPress(atPress), m_handle(handle) {}

    // Where the layer lies after travel (window pixels since the press) at the scale sx, sy.
    SlotPlacement PlaceFor(POINT travel, double sx, double sy) const;
    // pixels on an axis of the scale s, in whole design units, the nearest (none for no scale).
    static std::int32_t DesignUnits(LONG pixels, double s);

private:
    SlotPlacement m_atPress;
    int m_handle;
};
