#pragma once
// What the parts of CDIB (memory and pixels, BMP files, palettes, scaled copies) share about the packed
// block an image holds. Only CDIB's own files include this.

#include "imaging/DIB.h"

#include <cstddef>
#include <memory>

namespace dibblock {
constexpr DWORD infoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr UINT maxColours = 256;

// The colour table's entries: biClrUsed, or the full table of a 1-, 4- or 8-bit image.
UINT ColourCount(const BITMAPINFOHEADER& h);
// A zeroed block, or none when memory runs out.
std::unique_ptr<BYTE[]> NewBlock(std::size_t size);
// Whether block starts with a header this program can work with and holds the colour table and every
// pixel row that header describes.
bool IsSoundBlock(const BYTE* block, DWORD size);
} // namespace dibblock
