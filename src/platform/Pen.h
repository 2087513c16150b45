#pragma once
// A solid pen (PS_SOLID, width in pixels), a dotted one (PS_DOT) or none (PS_NULL). A context starts with a
// black pen of one pixel and a white brush, as the platform's stock objects are.

#include "platform/GdiObject.h"
#include "platform/WinTypes.h"

constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour);
    int m_style = PS_NULL;
    int m_width = 1;
    COLORREF m_colour = 0;
};
