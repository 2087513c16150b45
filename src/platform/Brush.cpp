#include "platform/DC.h"

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    m_solid = true;
    m_colour = colour & 0xFFFFFF;
    return TRUE;
}
