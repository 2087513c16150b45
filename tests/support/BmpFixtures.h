#pragma once
// Pictures for the imaging tests, made by the tests: BMP file bytes from header fields, table and rows,
// palettes from colour lists, and pixel reading.

#include "imaging/DIB.h"
#include "platform/Palette.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

struct BmpLayout {
    LONG width = 3, height = 2;
    WORD bits = 24;
    DWORD compression = BI_RGB, colorsUsed = 0, headerSize = 40;
    std::vector<RGBQUAD> table;
    std::string rows; // exactly as stored, padding included
};

template <typename T> void Poke(std::string& bytes, std::size_t at, T v) {
    std::memcpy(bytes.data() + at, &v, sizeof v);
}
template <typename T> T Peek(const std::string& bytes, std::size_t at) {
    T v{};
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

// File header, info header (zero beyond its first 40 bytes), table and rows; the size field is right.
inline std::string MakeBmp(const BmpLayout& s) {
    BITMAPINFOHEADER h{s.headerSize, s.width, s.height, 1, s.bits, s.compression, DWORD(s.rows.size()), 0, 0,
                       s.colorsUsed, 0};
    std::string info(std::max<DWORD>(s.headerSize, 40), '\0');
    std::memcpy(info.data(), &h, sizeof h);
    info.resize(s.headerSize);
    std::string body = info + std::string(reinterpret_cast<const char*>(s.table.data()), s.table.size() * 4);
    std::string file(14, '\0');
    Poke<WORD>(file, 0, 0x4D42);
    Poke<DWORD>(file, 2, DWORD(14 + body.size() + s.rows.size()));
    Poke<DWORD>(file, 10, DWORD(14 + body.size()));
    return file + body + s.rows;
}

// The same with gap between the colour table and the rows, the offset to the pixels pointing after it.
inline std::string MakeBmpWithGap(const BmpLayout& s, const std::string& gap) {
    std::string bytes = MakeBmp(s);
    const DWORD pixels = Peek<DWORD>(bytes, 10);
    bytes.insert(pixels, gap);
    Poke<DWORD>(bytes, 2, DWORD(bytes.size()));
    Poke<DWORD>(bytes, 10, DWORD(pixels + gap.size()));
    return bytes;
}

inline std::unique_ptr<CPalette> MakePalette(const std::vector<COLORREF>& colours) {
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(colours.size());
    PALETTEENTRY* e = lp->palPalEntry;
    for (std::size_t i = 0; i < colours.size(); ++i)
        e[i] = {GetRValue(colours[i]), GetGValue(colours[i]), GetBValue(colours[i]), 0};
    auto palette = std::make_unique<CPalette>();
    palette->CreatePalette(lp);
    return palette;
}

// Entry i is (i, i, i).
inline std::vector<COLORREF> GreyRamp() {
    std::vector<COLORREF> colours;
    for (int i = 0; i < 256; ++i)
        colours.push_back(RGB(BYTE(i), BYTE(i), BYTE(i)));
    return colours;
}

// A 24-bit pixel as a colour, an 8-bit pixel as its index; CLR_INVALID where there is no address.
inline COLORREF At(const CDIB& dib, int x, int y) {
    const BYTE* p = dib.PixelAddressDirect(x, y);
    return !p ? CLR_INVALID : dib.BitCount() == 8 ? *p : RGB(p[2], p[1], p[0]);
}

inline void Put(CDIB& dib, int x, int y, COLORREF colour) {
    const RECT r{x, y, x + 1, y + 1};
    dib.Fill(colour, &r);
}
