#pragma once
// Pictures for the compositor's tests, made in memory.

#include "composition/DIBSlot.h"
#include "imaging/DIB.h"
#include <cstring>
#include <memory>
#include <random>

// A 24-bit picture whose every pixel is colour (0x00BBGGRR).
inline std::unique_ptr<CDIB> SolidPicture(int width, int height, COLORREF colour) {
    auto dib = std::make_unique<CDIB>();
    dib->Create(width, height, 24);
    dib->Fill(colour);
    return dib;
}

// An 8-bit picture whose pixel bytes are all value (an alpha companion of that coverage).
inline std::unique_ptr<CDIB> SolidAlpha(int width, int height, BYTE value) {
    auto dib = std::make_unique<CDIB>();
    dib->Create(width, height, 8);
    std::memset(dib->GetBits(), value, std::size_t(dib->GetStride()) * height);
    return dib;
}

// The blue, green and red bytes of a 24-bit picture at x, y (picture coordinates, no mirroring).
inline COLORREF PixelAt(const CDIB& dib, int x, int y) {
    const BYTE* p = dib.GetBits() + std::size_t(dib.GetHeight() - 1 - y) * dib.GetStride() + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

inline void SetPixelAt(CDIB& dib, int x, int y, COLORREF colour) {
    BYTE* p = dib.GetBits() + std::size_t(dib.GetHeight() - 1 - y) * dib.GetStride() + 3 * x;
    p[0] = GetBValue(colour);
    p[1] = GetGValue(colour);
    p[2] = GetRValue(colour);
}
