#pragma once
// The records of a bitmap file and of a logical palette, laid out byte for byte as stored.

#include "platform/WinTypes.h"

#include <cstdint>

#pragma pack(push, 1)
// The 14-byte header in front of a bitmap file.
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// Compression of the pixel rows (biCompression).
constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

// The bytes of a row of width pixels at bitCount bits, padded to four bytes.
constexpr DWORD BitmapStride(std::int64_t width, int bitCount) {
    return DWORD((std::uint64_t(bitCount) * std::uint64_t(width) + 31) / 32 * 4);
}

// The header of an uncompressed bitmap of width x height at bitCount bits, with imageSize bytes of pixels
// and colours entries in its colour table.
constexpr BITMAPINFOHEADER PlainInfoHeader(LONG width, LONG height, WORD bitCount, DWORD imageSize,
                                           DWORD colours) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biCompression = BI_RGB;
    h.biSizeImage = imageSize;
    h.biClrUsed = colours;
    return h;
}

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct LOGPALETTE {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
};
