#include "platform/Pen.h"

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
    if (style != PS_SOLID && style != PS_DOT && style != PS_NULL)
        return FALSE;
    m_style = style;
    m_width = width < 1 ? 1 : width;
    m_colour = colour & 0xFFFFFF;
    return TRUE;
}
