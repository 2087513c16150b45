#include "imaging/DIB.h"

#include "imaging/DIBBlock.h"
#include "platform/DC.h"
#include "platform/Palette.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

using namespace dibblock;

namespace dibblock {
UINT ColourCount(const BITMAPINFOHEADER& h) {
    if (h.biClrUsed)
        return h.biClrUsed;
    switch (h.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::unique_ptr<BYTE[]> NewBlock(std::size_t size) {
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[size]());
}

// Run-length and bit-field files are converted by the reader (DIBDecode.h), so an image in memory is always
// uncompressed, its rows addressable pixel by pixel.
bool IsSoundBlock(const BYTE* block, DWORD size) {
    if (size < infoHeaderSize)
        return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, block, infoHeaderSize);
    if (h.biSize < infoHeaderSize || h.biSize > largestHeaderSize || h.biSize > size)
        return false;
    if (h.biWidth <= 0 || h.biWidth > CDIB::maxDimension || h.biHeight == 0 ||
        h.biHeight > CDIB::maxDimension || h.biHeight < -CDIB::maxDimension)
        return false;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    if (h.biCompression != BI_RGB || h.biClrUsed > maxColours)
        return false;
    std::uint64_t rows = std::uint64_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    std::uint64_t need = std::uint64_t(h.biSize) + 4u * ColourCount(h) +
                         std::uint64_t(CDIB::StrideOf(h.biWidth, h.biBitCount)) * rows;
    return need <= size;
}
} // namespace dibblock

CDIB::CDIB() = default;

CDIB::~CDIB() = default;

// --- memory --------------------------------------------------------------------------------------

void CDIB::Free() {
    m_block.reset();
    m_size = 0;
    m_refCount = 0;
    m_stretchMode = 0;
    m_alpha.reset();
    m_mirrorHorizontal = 0;
    m_mirrorVertical = 0;
    m_pixelAccess = 0;
    m_accessWidth = m_accessHeight = m_accessStride = 0;
    m_accessBitCount = 0;
    m_firstRow = nullptr;
}

void CDIB::Install(std::unique_ptr<BYTE[]> block, DWORD size) {
    if (m_block)
        Free();
    Adopt(std::move(block), size);
}

void CDIB::Adopt(std::unique_ptr<BYTE[]> block, DWORD size) {
    m_block = std::move(block);
    m_size = size;
    m_pixelAccess = 0;
    // Rows stored top-down (negative height) are turned round, so that every picture is stored bottom-up.
    BITMAPINFOHEADER* h = GetHeader();
    if (h->biHeight < 0) {
        h->biHeight = -h->biHeight;
        DWORD stride = GetStride();
        std::vector<BYTE> spare(stride);
        BYTE* bits = GetBits();
        for (LONG top = 0, bottom = h->biHeight - 1; top < bottom; ++top, --bottom) {
            BYTE* a = bits + std::size_t(top) * stride;
            BYTE* b = bits + std::size_t(bottom) * stride;
            std::memcpy(spare.data(), a, stride);
            std::memcpy(a, b, stride);
            std::memcpy(b, spare.data(), stride);
        }
    }
}

BOOL CDIB::Attach(std::unique_ptr<BYTE[]> block, DWORD size, const char* name) {
    if (!block || !IsSoundBlock(block.get(), size))
        return FALSE;
    Install(std::move(block), size);
    if (name)
        m_name = name;
    return TRUE;
}

BOOL CDIB::Create(int width, int height, int bitCount, const CPalette* palette) {
    if (width <= 0 || height <= 0 || width > maxDimension || height > maxDimension)
        return FALSE;
    if (bitCount != 8 && bitCount != 0 && bitCount < 24)
        return FALSE;
    const WORD bits = bitCount == 8 ? 8 : 24;
    UINT used = 0;
    std::array<PALETTEENTRY, maxColours> entries{};
    if (palette && bits == 8) {
        used = std::min<UINT>(UINT(palette->GetEntryCount()), maxColours);
        palette->GetPaletteEntries(0, used, entries.data());
    }
    const UINT colours = bits == 8 ? (used ? used : maxColours) : 0;
    const std::uint64_t image = std::uint64_t(StrideOf(width, bits)) * DWORD(height);
    if (infoHeaderSize + 4 * colours + image > maxBlockSize)
        return FALSE;
    const DWORD size = DWORD(infoHeaderSize + 4 * colours + image);
    auto block = NewBlock(size);
    if (!block)
        return FALSE;
    const BITMAPINFOHEADER h = PlainInfoHeader(width, height, bits, DWORD(image), used);
    std::memcpy(block.get(), &h, infoHeaderSize);
    auto* table = reinterpret_cast<RGBQUAD*>(block.get() + infoHeaderSize);
    for (UINT i = 0; i < used; ++i)
        table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    Install(std::move(block), size);
    return Fill(RGB(255, 255, 255));
}

std::unique_ptr<CDIB> CDIB::Clone() const {
    if (!m_block)
        return nullptr;
    auto copy = NewBlock(m_size);
    auto dib = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    if (!copy || !dib)
        return nullptr;
    std::memcpy(copy.get(), m_block.get(), m_size);
    dib->Install(std::move(copy), m_size);
    return dib;
}

BOOL CDIB::Release() {
    // An image nobody registered has no reference to drop: it goes as the last one.
    if (m_refCount > 0)
        --m_refCount;
    return m_refCount == 0;
}

// --- geometry and pixels -------------------------------------------------------------------------

int CDIB::GetWidth() const {
    return m_block ? GetHeader()->biWidth : 0;
}

int CDIB::GetHeight() const {
    return m_block ? GetHeader()->biHeight : 0;
}

WORD CDIB::BitCount() const {
    return m_block ? GetHeader()->biBitCount : 0;
}

DWORD CDIB::GetStride() const {
    return m_block ? StrideOf(GetWidth(), BitCount()) : 0;
}

UINT CDIB::NumColors() const {
    return m_block ? ColourCount(*GetHeader()) : 0;
}

WORD CDIB::PaletteSize() const {
    return WORD(NumColors() * 4);
}

BYTE* CDIB::GetBits() const {
    return m_block ? m_block.get() + GetHeader()->biSize + PaletteSize() : nullptr;
}

BOOL CDIB::BeginPixelAccess() {
    if (!m_block)
        return FALSE;
    m_accessWidth = UINT(GetWidth());
    m_accessHeight = UINT(GetHeight());
    m_accessStride = GetStride();
    m_accessBitCount = BitCount();
    m_firstRow = GetBits();
    m_pixelAccess = 1;
    return TRUE;
}

BYTE* CDIB::PixelAddressDirect(int x, int y) const {
    if (!m_block || UINT(x) >= UINT(GetWidth()) || UINT(y) >= UINT(GetHeight()))
        return nullptr;
    return AddressOf(GetBits(), UINT(GetWidth()), UINT(GetHeight()), GetStride(), BitCount(), x, y);
}

void CDIB::CopyRowAs24Bit(int storedRow, BYTE* out) const {
    if (!m_block || UINT(storedRow) >= UINT(GetHeight()))
        return;
    static constexpr auto widen5 = [] {
        std::array<BYTE, 32> table{};
        for (std::uint32_t v = 0; v < 32; ++v)
            table[v] = Widen(v, 5);
        return table;
    }();
    const int width = GetWidth();
    const WORD bits = BitCount();
    const BYTE* row = GetBits() + std::size_t(storedRow) * GetStride();
    switch (bits) {
    case 24:
        std::memcpy(out, row, 3 * std::size_t(width));
        return;
    case 32:
        for (int x = 0; x < width; ++x, row += 4, out += 3)
            out[0] = row[0], out[1] = row[1], out[2] = row[2];
        return;
    case 16:
        for (int x = 0; x < width; ++x, row += 2, out += 3) {
            const unsigned v = row[0] | row[1] << 8;
            out[0] = widen5[v & 31], out[1] = widen5[(v >> 5) & 31], out[2] = widen5[(v >> 10) & 31];
        }
        return;
    default:
        break;
    }
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    const UINT colours = NumColors();
    for (int x = 0; x < width; ++x, out += 3) {
        const UINT index = IndexAt(row, x, bits);
        if (index < colours)
            out[0] = table[index].rgbBlue, out[1] = table[index].rgbGreen, out[2] = table[index].rgbRed;
        else
            out[0] = out[1] = out[2] = 0;
    }
}

BOOL CDIB::Fill(COLORREF colour, const RECT* rect) {
    if (!BeginPixelAccess())
        return FALSE;
    RECT r = rect ? *rect : RECT{0, 0, GetWidth(), GetHeight()};
    NormalizeRect(r);
    // Pixels outside the image are skipped; clipping first only saves the time of asking for them.
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, GetWidth());
    r.bottom = std::min<LONG>(r.bottom, GetHeight());
    const WORD bits = BitCount();
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            BYTE* p = PixelAddress(x, y);
            if (!p)
                continue;
            if (bits == 24) {
                p[0] = GetBValue(colour);
                p[1] = GetGValue(colour);
                p[2] = GetRValue(colour);
            } else if (bits == 8) {
                p[0] = GetBValue(colour);
            }
        }
    }
    EndPixelAccess();
    return TRUE;
}

BOOL CDIB::CopyFromDevice(CDC* dc, int width, int height, COLORREF key) {
    if (!dc)
        return FALSE;
    // Three bytes go into each pixel, which only a 24-bit row has room for.
    if (BitCount() == 24 && BeginPixelAccess()) {
        width = std::min(width, GetWidth());
        height = std::min(height, GetHeight());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                COLORREF c = dc->GetPixel(x, y);
                BYTE* p = c != key ? PixelAddress(x, y) : nullptr;
                if (p) {
                    p[0] = GetBValue(c);
                    p[1] = GetGValue(c);
                    p[2] = GetRValue(c);
                }
            }
        }
        EndPixelAccess();
    }
    return TRUE;
}

// --- drawing -------------------------------------------------------------------------------------

BOOL CDIB::Draw(CDC* dc, const RECT* dest, const RECT* source, CPalette* palette,
                BOOL forceBackground) const {
    if (!m_block || !dc || !dest || !source)
        return FALSE;
    if (palette && palette->IsCreated()) {
        dc->SelectPalette(palette, forceBackground);
        dc->RealizePalette();
    }
    dc->SetStretchBltMode(m_stretchMode);
    const int rows =
        dc->StretchDIBits(dest->left, dest->top, dest->Width(), dest->Height(), source->left, source->top,
                          source->Width(), source->Height(), GetBits(),
                          reinterpret_cast<const BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS, SRCCOPY);
    return rows != GDI_ERROR;
}
