#pragma once
// Facts about the screen: the real ones, unless the environment sets them (QUIMBLE_SCREEN_COLORS=256
// makes a palette screen, QUIMBLE_SCREEN_SIZE=640x480 a small one), so that every path can be tried.

#include "platform/WinTypes.h"
#include <cstdint>

// Number of colours of a palette screen, or -1 when the screen shows more than 256.
int GetScreenColors();
SIZE GetScreenSize();

// Display flags of the process: DISPLAY_PALETTE is set while the screen is a palette screen (the control
// manager decides once, when the editor starts). TestDisplayFlag is 1 when any bit of mask is set.
enum : std::uint32_t { DISPLAY_PALETTE = 1 };
int TestDisplayFlag(std::uint32_t mask);
void SetDisplayFlag(std::uint32_t mask);
void ClearDisplayFlag(std::uint32_t mask);
