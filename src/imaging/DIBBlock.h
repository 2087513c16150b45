#pragma once
// What the parts of CDIB (memory and pixels, BMP files, palettes, scaled copies) share about the packed
// block an image holds. Only CDIB's own files include this.

#include "imaging/DIB.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace dibblock {
constexpr DWORD infoHeaderSize = sizeof(BITMAPINFOHEADER);
// The largest header a file may have (the fifth version's); drawing reads none larger either.
constexpr DWORD largestHeaderSize = 124;
constexpr UINT maxColours = 256;

// The colour table's entries: biClrUsed, or the full table of a 1-, 4- or 8-bit image.
UINT ColourCount(const BITMAPINFOHEADER& h);
// A zeroed block, or none when memory runs out.
std::unique_ptr<BYTE[]> NewBlock(std::size_t size);
// Whether block starts with a header this program can work with and holds the colour table and every
// pixel row that header describes: uncompressed rows of 1, 4, 8, 16 (5-5-5), 24 or 32 bits.
bool IsSoundBlock(const BYTE* block, DWORD size);

// The table index of pixel x of a row of 1, 2, 4 or 8 bits, the leftmost pixel in the high bits.
inline UINT IndexAt(const BYTE* row, int x, int bitCount) {
    switch (bitCount) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 2:
        return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    default:
        return row[x];
    }
}

// A channel of bits bits (1 to 32) scaled to 8, v * 255 / max rounded to nearest, so that the largest
// value becomes 255, 0 stays 0 and every level between lands on the nearest of the 256.
constexpr BYTE Widen(std::uint32_t value, unsigned bits) {
    const std::uint64_t max = (std::uint64_t(1) << bits) - 1;
    return BYTE((std::uint64_t(value) * 255 + max / 2) / max);
}
} // namespace dibblock
