#pragma once
// A solid brush for filling shapes.

#include "platform/GdiObject.h"
#include "platform/WinTypes.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour);
    bool m_solid = false;
    COLORREF m_colour = 0;
};
