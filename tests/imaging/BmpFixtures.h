#pragma once
// Pictures for the imaging tests, made by the tests: BMP file bytes from header fields, tables and rows,
// palettes from colour lists, and a modal responder that records message boxes.

#include "platform/Modal.h"
#include "platform/Palette.h"
#include "platform/WinTypes.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

struct BmpSpec {
    LONG width = 3;
    LONG height = 2;
    WORD bits = 24;
    DWORD compression = BI_RGB;
    DWORD colorsUsed = 0;
    DWORD headerSize = 40;
    std::vector<RGBQUAD> table;
    std::string rows; // pixel bytes exactly as stored, padding included
};

// The file: header, info header (headerSize bytes, zero beyond 40), table and rows; the size field
// covers all of it.
inline std::string MakeBmp(const BmpSpec& s) {
    BITMAPINFOHEADER h{};
    h.biSize = s.headerSize;
    h.biWidth = s.width;
    h.biHeight = s.height;
    h.biPlanes = 1;
    h.biBitCount = s.bits;
    h.biCompression = s.compression;
    h.biSizeImage = DWORD(s.rows.size());
    h.biClrUsed = s.colorsUsed;
    std::string info(s.headerSize < 40 ? 40 : s.headerSize, '\0');
    std::memcpy(info.data(), &h, sizeof h);
    info.resize(s.headerSize);
    std::string table(reinterpret_cast<const char*>(s.table.data()), s.table.size() * sizeof(RGBQUAD));
    BITMAPFILEHEADER f{};
    f.bfType = 0x4D42;
    f.bfSize = DWORD(sizeof f + info.size() + table.size() + s.rows.size());
    f.bfOffBits = DWORD(sizeof f + info.size() + table.size());
    return std::string(reinterpret_cast<const char*>(&f), sizeof f) + info + table + s.rows;
}

// Overwrites a little-endian field of a file image in place.
template <typename T> void Poke(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}
template <typename T> T Peek(const std::string& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
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

// A 256-entry grey ramp: entry i is (i, i, i).
inline std::vector<COLORREF> GreyRamp() {
    std::vector<COLORREF> colours;
    for (int i = 0; i < 256; ++i)
        colours.push_back(RGB(BYTE(i), BYTE(i), BYTE(i)));
    return colours;
}

// Records every message box and answers OK, for the life of the object.
struct MessageRecorder {
    MessageRecorder() {
        SetModalResponder([this](const ModalQuestion& q) {
            texts.push_back(q.text);
            ModalAnswer a;
            a.result = IDOK;
            return a;
        });
    }
    ~MessageRecorder() { SetModalResponder({}); }
    std::vector<std::string> texts;
};
