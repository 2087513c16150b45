#pragma once
// Device contexts: drawing onto a window's own surface, onto a memory surface, or onto a printer page.
// Every window keeps its pixels in a surface of its own, so what is drawn stays until it is drawn over,
// inverted drawing works as expected, and tests can read back exactly what a window shows.

#include "platform/Bitmap.h"
#include "platform/BitmapFormat.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Pen.h"
#include <functional>
#include <memory>
#include <string>

class CPalette;
class QImage;
class QPainter;

// Stretch modes, the one raster operation, the colour-table use of StretchDIBits and its failure.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr int GDI_ERROR = -1;

// Device facts (GetDeviceCaps).
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int RASTERCAPS = 38;
constexpr int SIZEPALETTE = 104;
constexpr int RC_PALETTE = 0x0100;

// 3-D edges (DrawEdge).
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1;
constexpr UINT BF_TOP = 0x2;
constexpr UINT BF_RIGHT = 0x4;
constexpr UINT BF_BOTTOM = 0x8;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;

// Text drawing (DrawText, ExtTextOut) and background modes.
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT ETO_CLIPPED = 0x4;

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
