#pragma once
// Which layer a click on the picture takes: the front-most shown one whose pixel under the pointer is not
// transparent (through its alpha companion, or not the key colour without one). Inside the frame of the
// selected layer that layer counts as covered, so that a press anywhere in its frame takes it again
// unless a layer in front of it shows there.

#include "composition/DIBSlot.h"
#include "platform/WinTypes.h"
#include <memory>
#include <vector>

// p is a canvas pixel at the scale sx, sy; none when no layer shows there.
CDIBSlot* PickSlotAt(const std::vector<std::unique_ptr<CDIBSlot>>& slots, POINT p, double sx, double sy,
                     const CDIBSlot* selected, COLORREF key);
