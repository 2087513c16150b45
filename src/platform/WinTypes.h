#pragma once
// The plain integer types and colours of the platform layer. Everything above src/platform speaks in
// these; only src/platform itself sees Qt. Each group of constants lives with the class that takes it
// (message-box styles in Modal.h, window styles in Wnd.h, text and edge flags in DC.h, ...).

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using COLORREF = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Colours: 0x00BBGGRR, red in the low byte.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return BYTE(c);
}
constexpr BYTE GetGValue(COLORREF c) {
    return BYTE(c >> 8);
}
constexpr BYTE GetBValue(COLORREF c) {
    return BYTE(c >> 16);
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Points, rectangles and the bitmap records are basic vocabulary too: they live in headers of their own and
// come along with this one.
#include "platform/BitmapFormat.h"
#include "platform/Geometry.h"
