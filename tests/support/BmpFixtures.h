#pragma once
// Pictures for the imaging tests, made by the tests: BMP file bytes from header fields, table and rows,
// palettes from colour lists, and pixel reading.

#include "imaging/DIB.h"
#include "platform/Palette.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// headerSize 12 makes an OS/2 1.x header, with 3-byte table entries.
struct BmpLayout {
    LONG width = 3, height = 2;
    WORD bits = 24;
    DWORD compression = BI_RGB, colorsUsed = 0, headerSize = 40;
    std::vector<RGBQUAD> table;
    std::string rows;              // exactly as stored, padding included
    std::vector<DWORD> masks = {}; // bit fields: after a 40-byte header, else inside it from byte 40 on
};

template <typename T> void Poke(std::string& bytes, std::size_t at, T v) {
    std::memcpy(bytes.data() + at, &v, sizeof v);
}
template <typename T> T Peek(const std::string& bytes, std::size_t at) {
    T v{};
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

// File header, info header (zero beyond its first 40 bytes but for masks), table and rows; the size field
// is right.
inline std::string MakeBmp(const BmpLayout& s) {
    std::string info;
    if (s.headerSize == 12) {
        info.assign(12, '\0');
        Poke<DWORD>(info, 0, 12);
        Poke<WORD>(info, 4, WORD(s.width));
        Poke<WORD>(info, 6, WORD(s.height));
        Poke<WORD>(info, 8, 1);
        Poke<WORD>(info, 10, s.bits);
        for (const RGBQUAD& q : s.table)
            info += std::string{char(q.rgbBlue), char(q.rgbGreen), char(q.rgbRed)};
    } else {
        BITMAPINFOHEADER h{
            s.headerSize, s.width, s.height, 1, s.bits, s.compression, DWORD(s.rows.size()), 0, 0,
            s.colorsUsed, 0};
        info.assign(reinterpret_cast<const char*>(&h), 40);
        info.append(reinterpret_cast<const char*>(s.masks.data()), s.masks.size() * 4);
        if (s.headerSize != 40)
            info.resize(s.headerSize);
        info.append(reinterpret_cast<const char*>(s.table.data()), s.table.size() * 4);
    }
    std::string file(14, '\0');
    Poke<WORD>(file, 0, 0x4D42);
    Poke<DWORD>(file, 2, DWORD(14 + info.size() + s.rows.size()));
    Poke<DWORD>(file, 10, DWORD(14 + info.size()));
    return file + info + s.rows;
}

// Rows of width pixels in the order stored, each padded to four bytes: indexes (high bits first) up to
// 8 bits, colours (0x00BBGGRR) at 24 bits, little-endian values at 16 and 32.
inline std::string PackRows(int width, int bits, const std::vector<std::vector<DWORD>>& stored) {
    std::string out;
    for (const auto& pixels : stored) {
        std::string row(CDIB::StrideOf(width, bits), '\0');
        for (std::size_t x = 0; x < pixels.size(); ++x) {
            const DWORD v = pixels[x];
            if (bits <= 8) {
                const std::size_t bit = x * bits;
                row[bit / 8] = char(BYTE(row[bit / 8]) | v << (8 - bits - bit % 8));
            } else if (bits == 24) {
                row.replace(3 * x, 3, {char(GetBValue(v)), char(GetGValue(v)), char(GetRValue(v))});
            } else {
                for (int i = 0; i < bits / 8; ++i)
                    row[x * (bits / 8) + i] = char(v >> (8 * i));
            }
        }
        out += row;
    }
    return out;
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
