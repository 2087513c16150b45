#pragma once
// Where a text goes on the picture: onto a picture (a balloon) it is wrapped to the picture's width,
// centred where the picture covers most and made smaller until it fits inside the oval the covered area
// holds; a changed text stays centred where it was at the scale the user gave it.

#include "composition/DIBSlot.h"
#include "composition/SlotPlacement.h"
#include "platform/WinTypes.h"

class CTextPlacement {
public:
    // How a new text shows its picture, as every new slot does.
    static constexpr double defaultScale = CDIBSlot::placedScale;

    // What a picture covers on the picture area, in design units: the box of its covered pixels and
    // their middle (their mean place).
    struct Covered {
        RECT box;
        POINT middle;
    };

    // The width in pixels a text shown at scale (design units a pixel) on covered is wrapped to.
    static LONG WrapWidth(const Covered& covered, double scale = defaultScale);
    // The place of a text picture of pixels on covered.
    static SlotPlacement OnPicture(const Covered& covered, SIZE pixels);
    // The place of a text picture of pixels that takes over from one of oldPixels placed at old.
    static SlotPlacement InPlaceOf(const SlotPlacement& old, SIZE oldPixels, SIZE pixels);
};
