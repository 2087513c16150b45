#include "platform/Brush.h"

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    m_solid = true;
    m_colour = colour & 0xFFFFFF;
    return TRUE;
}
