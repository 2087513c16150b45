#include "composition/DIBSlot.h"

#include "platform/Memory.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr double slotScale = 0.5555555555555556; // the double nearest 5/9

// The colour of pixel x of a stored row as blue, green, red, for any bit count pixel addressing knows.
// Indices past the colour table give black; 16-bit pixels are 5-5-5, 32-bit ones blue, green, red, unused.
void ReadColour(const BYTE* row, int x, int bitCount, const RGBQUAD* table, UINT colours, BYTE* out) {
    UINT index = 0;
    switch (bitCount) {
    case 1:
        index = (row[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case 4:
        index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
        break;
    case 8:
        index = row[x];
        break;
    case 16: {
        unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        out[0] = BYTE((v & 31) << 3);
        out[1] = BYTE(((v >> 5) & 31) << 3);
        out[2] = BYTE(((v >> 10) & 31) << 3);
        return;
    }
    case 32:
        std::memcpy(out, row + 4 * x, 3);
        return;
    default:
        out[0] = out[1] = out[2] = 0;
        return;
    }
    if (index < colours) {
        out[0] = table[index].rgbBlue;
        out[1] = table[index].rgbGreen;
        out[2] = table[index].rgbRed;
    } else {
        out[0] = out[1] = out[2] = 0;
    }
}
} // namespace

CDIBSlot::~CDIBSlot() = default;

BOOL CDIBSlot::CreateFromLayerDib(CDIB* source, std::uint32_t key) {
    if (!source || key == 0 || source->IsEmpty() || source->GetSize() == 0)
        return FALSE;
    if (source->BitCount() == 24) {
        std::unique_ptr<BYTE[]> copy(new (std::nothrow) BYTE[source->GetSize()]);
        if (!copy)
            return FALSE;
        PrefaultMemory(copy.get(), source->GetSize());
        std::memcpy(copy.get(), source->GetBlock(), source->GetSize());
        if (!Attach(std::move(copy), source->GetSize()))
            return FALSE;
    } else if (!CopyAs24Bit(*source)) {
        return FALSE;
    }
    m_key = key;
    m_x = m_y = 0;
    m_width = std::int32_t(GetWidth() * slotScale);
    m_height = std::int32_t(GetHeight() * slotScale);
    m_source = source;
    return TRUE;
}

BOOL CDIBSlot::CopyAs24Bit(const CDIB& source) {
    const int width = source.GetWidth();
    const int height = source.GetHeight();
    if (!Create(width, height, 24))
        return FALSE;
    const BITMAPINFOHEADER* header = source.GetHeader();
    const auto* table = reinterpret_cast<const RGBQUAD*>(source.GetBlock() + header->biSize);
    // Only entries the block really holds are read, whatever the colour count claims.
    const UINT colours = std::min<UINT>(source.NumColors(), source.PaletteSize() / sizeof(RGBQUAD));
    const int bitCount = source.BitCount();
    for (int row = 0; row < height; ++row) {
        const BYTE* in = source.GetBits() + std::size_t(row) * source.GetStride();
        BYTE* out = GetBits() + std::size_t(row) * GetStride();
        for (int x = 0; x < width; ++x)
            ReadColour(in, x, bitCount, table, colours, out + 3 * x);
    }
    return TRUE;
}
