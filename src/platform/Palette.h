#pragma once
// A logical palette: up to 256 colour entries and the nearest entry to any colour. Nearest means the
// smallest squared distance in red, green and blue; the lowest index wins a tie. Converting a picture asks
// for many colours, so answers are cached, and a search only visits the entries that can be nearest
// somewhere in the colour's cell of colour space.

#include "platform/WinTypes.h"
#include <array>
#include <memory>
#include <vector>

class CPalette {
public:
    CPalette();
    ~CPalette();
    CPalette(const CPalette&) = delete;
    CPalette& operator=(const CPalette&) = delete;

    // False for no description or more entries than a palette holds; an existing palette is replaced.
    BOOL CreatePalette(const LOGPALETTE* description);
    BOOL DeleteObject();
    // Whether a platform palette is attached.
    bool IsCreated() const { return m_created; }
    int GetEntryCount() const { return int(m_entries.size()); }
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
    UINT GetNearestPaletteIndex(COLORREF colour) const;

    static constexpr UINT maxEntries = 1024;

private:
    const std::vector<std::uint16_t>& Candidates(int r, int g, int b) const;

    struct CacheSlot {
        COLORREF colour = CLR_INVALID;
        UINT index = 0;
    };
    static constexpr std::size_t cacheSize = 1u << 14;
    static constexpr int cellShift = 3; // cells of 8 x 8 x 8 colours
    static constexpr int cellsPerSide = 256 >> cellShift;
    bool m_created = false;
    std::vector<PALETTEENTRY> m_entries;
    mutable std::unique_ptr<std::array<CacheSlot, cacheSize>> m_cache;
    mutable std::vector<std::vector<std::uint16_t>> m_cells; // filled on first use of each cell
};
