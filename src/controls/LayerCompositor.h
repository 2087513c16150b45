#pragma once
// What the layer strip needs of the picture area that follows it. The picture area lives a level higher
// and implements this; the strip knows it only by this interface.

#include "composition/SlotPlacement.h"
#include "platform/WinTypes.h"
#include <cstdint>

class CButtonControl;
class CLayerStrip;

class CLayerCompositor {
public:
    // The strip the picture area follows from now on (none: it follows no strip).
    virtual void SetLayerStrip(CLayerStrip* strip) = 0;
    // Brings the picture in line with the strip, composing only what changed, and paints it.
    virtual void Recompose(BOOL blend) = 0;
    // The placement of the front-most slot that shows content key; false when none does.
    virtual bool FindSlotPlacement(std::uint32_t key, SlotPlacement* placement) const = 0;
    // Whether a slot is selected (and shows the selection frame).
    virtual bool HasSelectedSlot() const = 0;
    // Selects the slot that shows content key; false, and nothing changes, when none does.
    virtual bool SelectSlotOfKey(std::uint32_t key) = 0;
    // Selects no slot (the move and text buttons go off).
    virtual void ClearSlotSelection() = 0;
    // The button that moves the selected layer on the picture, or none.
    virtual CButtonControl* GetMoveButton() const = 0;

protected:
    ~CLayerCompositor() = default;
};
