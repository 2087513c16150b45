#pragma once
// Content keys name one content picture of a layer, so that the picture area can follow a picture from
// layer to layer. 0 names no content.

#include <cstdint>

// 1, 2, 3, ... and never 0, also after the counter has run through its whole range.
std::uint32_t NewContentKey();
// Sets the counter, so that the next key is one more (tests of the wrap).
void SetContentKeyCounter(std::uint32_t value);
