#pragma once
// Device contexts: drawing onto a window's own surface, onto a memory surface, or onto a printer page.
// Every window keeps its pixels in a surface of its own, so what is drawn stays until it is drawn over,
// inverted drawing works as expected, and tests can read back exactly what a window shows.

#include "platform/Bitmap.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Pen.h"
#include "platform/WinTypes.h"
#include <functional>
#include <memory>
#include <string>

class CPalette;
class QImage;
class QPainter;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context compatible with dc (or the screen); draws once a bitmap is selected into it.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    bool IsPrinting() const;

    // Palettes: selecting remembers the palette (and whether it is forced into the background);
    // realising reports how many entries were mapped.
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();

    // Selecting returns what was selected before (none at first).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);

    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    // Draws a packed bitmap (header, colour table, pixel rows) stretched from the source rectangle, whose
    // origin is the bitmap's bottom-left corner, to the destination rectangle. A negative width or height
    // on one side mirrors. Uncompressed 1, 4, 8, 16 (5-5-5), 24 and 32 bits; HALFTONE smooths a change of
    // size, every other mode picks the nearest pixel. Returns the number of source rows, or GDI_ERROR.
    int StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc, int hSrc,
                      const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

    void FillSolidRect(const RECT& rect, COLORREF colour);
    // The platform's 3-D edges, in the system's button colours.
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);
    // The dotted focus rectangle, drawn by inverting every other pixel: drawing it twice restores them.
    void DrawFocusRect(const RECT* rect);
    // Filled with the selected brush and outlined with the selected pen.
    BOOL Polygon(const POINT* points, int count);
    BOOL Polyline(const POINT* points, int count);

    COLORREF SetTextColor(COLORREF colour);
    int SetBkMode(int mode);
    COLORREF SetBkColor(COLORREF colour);
    // Measures (DT_CALCRECT: right and bottom are set to the text's extent) or draws text, UTF-8, within the
    // rectangle: word wrapping (DT_WORDBREAK), DT_LEFT, DT_CENTER, DT_RIGHT, one line centred upright
    // (DT_SINGLELINE | DT_VCENTER), '&' marking a mnemonic unless DT_NOPREFIX. Returns the text's height.
    int DrawText(const std::string& text, RECT* rect, UINT format);
    SIZE GetTextExtent(const std::string& text);
    // Draws text at x, y (its top-left), clipped to clip when ETO_CLIPPED is given.
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* clip, const std::string& text);

    // The colour of one pixel as 0x00BBGGRR, or CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;
    // NUMCOLORS (-1 beyond 256), HORZRES and VERTRES (the screen's size, or the page's), LOGPIXELSX/Y,
    // BITSPIXEL, RASTERCAPS and SIZEPALETTE (RC_PALETTE and 256 on a palette screen); 0 for anything else.
    int GetDeviceCaps(int index) const;

    // Platform side: contexts over Qt paint devices. Only src/platform calls these.
    // A context drawing into image; release runs when the context is deleted (a window repaints then).
    static std::unique_ptr<CDC> ForImage(QImage* image, std::function<void()> release = {});
    // A context drawing through a painter that is already active (a printer page), with the device's
    // printable width and resolution.
    static std::unique_ptr<CDC> ForPainter(QPainter* painter, int width, int height, int dpiX, int dpiY);

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};
