#include "imaging/DIB.h"

#include "imaging/DIBBlock.h"
#include "platform/Cursor.h"
#include "platform/Palette.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

using namespace dibblock;

namespace {
// An 8-bit packed bitmap of the given size whose table holds the palette's first (at most 256) entries,
// the rows following the table directly and zeroed.
std::unique_ptr<BYTE[]> NewIndexedBlock(const BITMAPINFOHEADER& like, const CPalette& palette, DWORD* size) {
    UINT colours = std::min<UINT>(UINT(palette.GetEntryCount()), maxColours);
    DWORD image = CDIB::StrideOf(like.biWidth, 8) * DWORD(like.biHeight);
    *size = infoHeaderSize + 4 * colours + image;
    auto block = NewBlock(*size);
    if (!block)
        return nullptr;
    BITMAPINFOHEADER h{};
    h.biSize = infoHeaderSize;
    h.biWidth = like.biWidth;
    h.biHeight = like.biHeight;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biCompression = BI_RGB;
    h.biSizeImage = image;
    h.biXPelsPerMeter = like.biXPelsPerMeter;
    h.biYPelsPerMeter = like.biYPelsPerMeter;
    h.biClrUsed = colours;
    std::memcpy(block.get(), &h, infoHeaderSize);
    std::array<PALETTEENTRY, maxColours> entries{};
    palette.GetPaletteEntries(0, colours, entries.data());
    auto* table = reinterpret_cast<RGBQUAD*>(block.get() + infoHeaderSize);
    for (UINT i = 0; i < colours; ++i)
        table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return block;
}

// Whether an 8-bit image (its header, then its table) already has exactly the palette as its full table,
// map (the nearest entry for each table entry) changing no index. A shared picture is mapped each time it
// is handed out; once it is, mapping again changes nothing. With a full table every index lies inside
// it, so the rows need no look.
bool IsLaidOutAs(const BYTE* block, UINT colours, const CPalette& palette,
                 const std::array<BYTE, maxColours>& map) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, block, infoHeaderSize);
    if (h.biSize != infoHeaderSize || colours != maxColours || palette.GetEntryCount() != int(maxColours))
        return false;
    std::array<PALETTEENTRY, maxColours> entries{};
    palette.GetPaletteEntries(0, maxColours, entries.data());
    const auto* table = reinterpret_cast<const RGBQUAD*>(block + infoHeaderSize);
    for (UINT i = 0; i < maxColours; ++i) {
        const PALETTEENTRY& e = entries[i];
        const RGBQUAD& t = table[i];
        if (map[i] != i || t.rgbRed != e.peRed || t.rgbGreen != e.peGreen || t.rgbBlue != e.peBlue)
            return false;
    }
    return true;
}
} // namespace

BOOL CDIB::CreatePalette(CPalette* palette) const {
    const UINT colours = NumColors();
    if (!palette || colours == 0)
        return FALSE;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
    auto* description = reinterpret_cast<LOGPALETTE*>(memory.data());
    description->palVersion = 0x300;
    description->palNumEntries = WORD(colours);
    PALETTEENTRY* entries = description->palPalEntry;
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    for (UINT i = 0; i < colours; ++i)
        entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return palette->CreatePalette(description);
}

BOOL CDIB::MapToPalette(const CPalette* palette) {
    if (!palette || palette->GetEntryCount() == 0 || !m_block)
        return FALSE;
    const WORD bits = BitCount();
    if (bits > 8)
        return ConvertTo8Bit(palette);
    // One nearest-colour question per table entry; indexes beyond the table are black, as everywhere.
    std::array<BYTE, maxColours> map{};
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    const UINT colours = std::min(NumColors(), maxColours);
    map.fill(BYTE(palette->GetNearestPaletteIndex(RGB(0, 0, 0))));
    for (UINT i = 0; i < colours; ++i)
        map[i] =
            BYTE(palette->GetNearestPaletteIndex(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue)));
    if (bits == 8 && IsLaidOutAs(m_block.get(), NumColors(), *palette, map))
        return TRUE;
    // The result is laid out anew as an 8-bit image whose table is exactly the palette, so the rows
    // start where the header says whatever the palette's size, and a 1- or 4-bit image can take indexes
    // beyond its own.
    const BYTE* bits0 = GetBits();
    const DWORD stride = GetStride();
    return RebuildIndexed(*palette, [&](int storedRow, BYTE* to, int width) {
        const BYTE* from = bits0 + std::size_t(storedRow) * stride;
        for (int x = 0; x < width; ++x)
            to[x] = map[IndexAt(from, x, bits)];
    });
}

BOOL CDIB::ConvertTo8Bit(const CPalette* palette) {
    // Only direct colours (16, 24 and 32 bits) are turned into indexes; a table such a file may carry
    // is no more than a hint.
    if (!palette || palette->GetEntryCount() == 0 || BitCount() <= 8)
        return FALSE;
    ShowWaitCursor();
    std::vector<BYTE> colours(3 * std::size_t(GetWidth()));
    BOOL done = RebuildIndexed(*palette, [&](int storedRow, BYTE* to, int width) {
        CopyRowAs24Bit(storedRow, colours.data());
        const BYTE* from = colours.data();
        for (int x = 0; x < width; ++x, from += 3)
            to[x] = BYTE(palette->GetNearestPaletteIndex(RGB(from[2], from[1], from[0])));
    });
    ShowArrowCursor();
    return done;
}

BOOL CDIB::RebuildIndexed(const CPalette& palette,
                          const std::function<void(int storedRow, BYTE* to, int width)>& convertRow) {
    DWORD size = 0;
    auto block = NewIndexedBlock(*GetHeader(), palette, &size);
    if (!block)
        return FALSE;
    const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(block.get());
    BYTE* to = block.get() + size - out->biSizeImage;
    const DWORD toStride = StrideOf(out->biWidth, 8);
    const int width = GetWidth(), height = GetHeight();
    for (int y = 0; y < height; ++y, to += toStride)
        convertRow(y, to, width);
    Adopt(std::move(block), size);
    return TRUE;
}
