#pragma once
// How CDIB's file reader turns the bytes of a BMP file into the layouts an image keeps in memory
// (dibblock::IsSoundBlock). A file already in such a layout is kept as it is, its rows moved up to follow
// the colour table; the others are converted into a new block with a 40-byte header: OS/2 1.x headers and
// their 3-byte table entries as they are, 2-bit rows as 4-bit ones, run-length rows as plain 4 or 8 bits,
// and bit-field pixels of any masks as 24 bits, an alpha channel becoming an 8-bit coverage picture beside
// them. So every later path (composing, thumbnails, drawing, palettes, writing) meets only plain rows, and
// a written file is always a valid BMP. Only CDIB's own files include this.

#include "imaging/DIB.h"

#include <cstdint>
#include <memory>

namespace dibdecode {
struct Picture {
    std::unique_ptr<BYTE[]> block;
    DWORD size = 0;
    std::unique_ptr<BYTE[]> alpha; // none without an alpha channel (or with one that is 0 everywhere)
    DWORD alphaSize = 0;
};

// bytes: the file after its 14-byte header, size bytes; pixelOffset: the file header's offset to the
// pixels. False for a file it cannot read right. With a budget, a picture that would take more memory than
// *budget is refused before it is made, and what it takes is taken off *budget.
bool Decode(std::unique_ptr<BYTE[]> bytes, DWORD size, DWORD pixelOffset, std::uint64_t* budget,
            Picture* out);
} // namespace dibdecode
