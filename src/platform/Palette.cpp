#include "platform/Palette.h"

#include <algorithm>

CPalette::CPalette() = default;
CPalette::~CPalette() = default;

BOOL CPalette::CreatePalette(const LOGPALETTE* description) {
    if (!description || description->palNumEntries == 0 || description->palNumEntries > maxEntries)
        return FALSE;
    m_entries.assign(description->palPalEntry, description->palPalEntry + description->palNumEntries);
    m_cache.reset();
    m_created = true;
    return TRUE;
}

BOOL CPalette::DeleteObject() {
    if (!m_created)
        return FALSE;
    m_entries.clear();
    m_cache.reset();
    m_created = false;
    return TRUE;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    if (!entries || start >= m_entries.size())
        return 0;
    UINT n = std::min<UINT>(count, UINT(m_entries.size()) - start);
    std::copy_n(m_entries.begin() + start, n, entries);
    return n;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF colour) const {
    if (m_entries.empty())
        return CLR_INVALID;
    colour &= 0xFFFFFF;
    if (!m_cache)
        m_cache = std::make_unique<std::array<CacheSlot, cacheSize>>();
    // Direct-mapped cache keyed by a mix of the colour's bits.
    CacheSlot& slot = (*m_cache)[((colour * 2654435761u) >> 18) & (cacheSize - 1)];
    if (slot.colour == colour)
        return slot.index;
    int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    UINT best = 0;
    int bestDistance = 1 << 30;
    for (UINT i = 0; i < m_entries.size(); ++i) {
        const PALETTEENTRY& e = m_entries[i];
        int dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    slot = {colour, best};
    return best;
}
