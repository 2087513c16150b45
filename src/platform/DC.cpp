#include "platform/DC.h"

#include "platform/DCImpl.h"
#include "platform/Palette.h"
#include "platform/Screen.h"

#include <utility>

QImage* CDC::Impl::Surface() const {
    if (memory)
        return bitmap ? bitmap->GetSurface() : nullptr;
    return image;
}

void CDC::Impl::Prepare(QPainter& p) {
    // Shapes keep hard edges, like the platform's; stored pictures stay lossless on a printer page.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::LosslessImageRendering, true);
}

QFont CDC::Impl::Font() const {
    return font ? font->GetQFont() : CFont().GetQFont();
}

bool CDC::Impl::FontAntialiased() const {
    return font && font->IsAntialiased();
}

void CDC::Impl::PrepareText(QPainter& p, const QFont& textFont) const {
    p.setFont(textFont);
    p.setRenderHint(QPainter::TextAntialiasing, FontAntialiased());
    p.setPen(ToQColor(textColour));
    if (backMode == OPAQUE) {
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(ToQColor(backColour));
    }
}

QPen CDC::Impl::Pen() const {
    if (!pen)
        return QPen(Qt::black, 1);
    if (pen->m_style == PS_NULL)
        return QPen(Qt::NoPen);
    QPen qpen(ToQColor(pen->m_colour), pen->m_width);
    if (pen->m_style == PS_DOT)
        qpen.setStyle(Qt::DotLine);
    return qpen;
}

QBrush CDC::Impl::Brush() const {
    if (!brush)
        return QBrush(Qt::white);
    return brush->m_solid ? QBrush(ToQColor(brush->m_colour)) : QBrush(Qt::NoBrush);
}

CDC::CDC() : d(std::make_unique<Impl>()) {}

CDC::~CDC() {
    if (d->release)
        d->release();
}

BOOL CDC::CreateCompatibleDC(CDC*) {
    if (d->memory || d->image || d->painter)
        return FALSE;
    d->memory = true;
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!d->memory && !d->image && !d->painter)
        return FALSE;
    auto release = std::move(d->release);
    d = std::make_unique<Impl>();
    if (release)
        release();
    return TRUE;
}

bool CDC::IsPrinting() const {
    return d->painter != nullptr;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
    d->paletteBackground = forceBackground;
    return std::exchange(d->palette, palette);
}

UINT CDC::RealizePalette() {
    return d->palette ? UINT(d->palette->GetEntryCount()) : 0;
}

CPen* CDC::SelectObject(CPen* pen) {
    return std::exchange(d->pen, pen);
}

CBrush* CDC::SelectObject(CBrush* brush) {
    return std::exchange(d->brush, brush);
}

CFont* CDC::SelectObject(CFont* font) {
    return std::exchange(d->font, font);
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    // Only memory contexts hold bitmaps.
    if (!d->memory || !bitmap || !bitmap->IsCreated())
        return nullptr;
    return std::exchange(d->bitmap, bitmap);
}

int CDC::SetStretchBltMode(int mode) {
    return std::exchange(d->stretchMode, mode);
}

int CDC::GetStretchBltMode() const {
    return d->stretchMode;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(d->textColour, colour & 0xFFFFFF);
}

int CDC::SetBkMode(int mode) {
    return std::exchange(d->backMode, mode);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(d->backColour, colour & 0xFFFFFF);
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
    if (IsRectEmpty(rect))
        return;
    d->Paint([&](QPainter& p) { p.fillRect(ToQRect(rect), ToQColor(colour)); });
}

COLORREF CDC::GetPixel(int x, int y) const {
    const QImage* surface = d->Surface();
    if (!surface || !surface->valid(x, y))
        return CLR_INVALID;
    QRgb c = surface->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

int CDC::GetDeviceCaps(int index) const {
    const bool printer = d->painter != nullptr;
    const bool paletteScreen = !printer && GetScreenColors() > 0;
    switch (index) {
    case NUMCOLORS:
        return printer ? -1 : GetScreenColors();
    case HORZRES:
        return printer ? d->pageWidth : GetScreenSize().cx;
    case VERTRES:
        return printer ? d->pageHeight : GetScreenSize().cy;
    case LOGPIXELSX:
        return printer ? d->dpiX : 96;
    case LOGPIXELSY:
        return printer ? d->dpiY : 96;
    case BITSPIXEL:
        return paletteScreen ? 8 : 32;
    case RASTERCAPS:
        return paletteScreen ? RC_PALETTE : 0;
    case SIZEPALETTE:
        return paletteScreen ? 256 : 0;
    default:
        return 0;
    }
}

std::unique_ptr<CDC> CDC::ForImage(QImage* image, std::function<void()> release) {
    auto dc = std::make_unique<CDC>();
    dc->d->image = image;
    dc->d->release = std::move(release);
    return dc;
}

std::unique_ptr<CDC> CDC::ForPainter(QPainter* painter, int width, int height, int dpiX, int dpiY) {
    auto dc = std::make_unique<CDC>();
    dc->d->painter = painter;
    dc->d->pageWidth = width;
    dc->d->pageHeight = height;
    dc->d->dpiX = dpiX;
    dc->d->dpiY = dpiY;
    return dc;
}
