#pragma once
// Where a layer of the picture lies, in design units; a negative width or height reaches left or up of x, y.

#include <cstdint>

struct SlotPlacement {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
};
