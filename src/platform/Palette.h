#pragma once
// A logical palette: up to 256 colour entries and the nearest entry to any colour. Nearest means the
// smallest squared distance in red, green and blue; the lowest index wins a tie. Answers are cached,
// since converting a picture asks for the same colours again and again.

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
    struct CacheSlot {
        COLORREF colour = CLR_INVALID;
        UINT index = 0;
    };
    static constexpr std::size_t cacheSize = 1u << 14;
    bool m_created = false;
    std::vector<PALETTEENTRY> m_entries;
    mutable std::unique_ptr<std::array<CacheSlot, cacheSize>> m_cache;
};
