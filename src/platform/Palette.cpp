#include "platform/Palette.h"

#include <algorithm>
#include <cstdlib>

CPalette::CPalette() = default;
CPalette::~CPalette() = default;

BOOL CPalette::CreatePalette(const LOGPALETTE* description) {
    if (!description || description->palNumEntries == 0 || description->palNumEntries > maxEntries)
        return FALSE;
    m_entries.assign(description->palPalEntry, description->palPalEntry + description->palNumEntries);
    m_cache.reset();
    m_cells.clear();
    m_created = true;
    return TRUE;
}

BOOL CPalette::DeleteObject() {
    if (!m_created)
        return FALSE;
    m_entries.clear();
    m_cache.reset();
    m_cells.clear();
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
    // Candidates come in index order, so the strict comparison keeps the lowest index of a tie.
    for (std::uint16_t i : Candidates(r, g, b)) {
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

// The entries that can be nearest to some colour of the cell: an entry whose smallest distance to the cell
// exceeds the largest distance of some other entry to the cell can never win there.
const std::vector<std::uint16_t>& CPalette::Candidates(int r, int g, int b) const {
    if (m_cells.empty())
        m_cells.resize(std::size_t(cellsPerSide) * cellsPerSide * cellsPerSide);
    int cr = r >> cellShift, cg = g >> cellShift, cb = b >> cellShift;
    auto& cell = m_cells[(std::size_t(cr) * cellsPerSide + cg) * cellsPerSide + cb];
    if (!cell.empty())
        return cell;
    const int low[3] = {cr << cellShift, cg << cellShift, cb << cellShift};
    const int high[3] = {low[0] + (1 << cellShift) - 1, low[1] + (1 << cellShift) - 1,
                         low[2] + (1 << cellShift) - 1};
    std::vector<int> nearest(m_entries.size());
    int bound = 1 << 30;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const int v[3] = {m_entries[i].peRed, m_entries[i].peGreen, m_entries[i].peBlue};
        int dMin = 0, dMax = 0;
        for (int c = 0; c < 3; ++c) {
            int below = low[c] - v[c], above = v[c] - high[c];
            int gap = std::max({below, above, 0});
            int far = std::max(std::abs(v[c] - low[c]), std::abs(v[c] - high[c]));
            dMin += gap * gap;
            dMax += far * far;
        }
        nearest[i] = dMin;
        bound = std::min(bound, dMax);
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (nearest[i] <= bound)
            cell.push_back(std::uint16_t(i));
    return cell;
}
