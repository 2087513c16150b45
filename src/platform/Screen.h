#pragma once
// Facts about the screen: the real ones, unless the environment sets them (QUIMBLE_SCREEN_COLORS=256
// makes a palette screen, QUIMBLE_SCREEN_SIZE=640x480 a small one), so that every path can be tried.

#include "platform/WinTypes.h"

// Number of colours of a palette screen, or -1 when the screen shows more than 256.
int GetScreenColors();
SIZE GetScreenSize();
