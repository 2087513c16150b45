#include "imaging/DIBDecode.h"

#include "imaging/DIBBlock.h"
#include "platform/LittleEndian.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

using namespace dibblock;

namespace {
constexpr DWORD fileHeaderSize = sizeof(BITMAPFILEHEADER);
// OS/2 1.x: width, height, planes and bit count in 16 bits each, table entries of blue, green, red.
constexpr DWORD coreHeaderSize = 12;
constexpr DWORD BI_ALPHABITFIELDS = 6;

// Where the rows start: at the file's offset to the pixels where that lies inside the file after the end
// of the table, else right after the table (a writer that leaves no gap may leave the offset wrong).
DWORD PixelStart(DWORD pixelOffset, std::uint64_t tableEnd, DWORD size) {
    if (pixelOffset < fileHeaderSize)
        return DWORD(tableEnd);
    const DWORD offset = pixelOffset - fileHeaderSize;
    return offset > tableEnd && offset < size ? offset : DWORD(tableEnd);
}

bool WithinBudget(std::uint64_t* budget, std::uint64_t size) {
    if (!budget)
        return true;
    if (size > *budget)
        return false;
    *budget -= size;
    return true;
}

// A file in a layout an image keeps: the rows are moved up to follow the table.
bool KeepAsItIs(std::unique_ptr<BYTE[]> bytes, DWORD size, DWORD pixelOffset, std::uint64_t* budget,
                dibdecode::Picture* out) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, bytes.get(), infoHeaderSize);
    const std::uint64_t tableEnd = std::uint64_t(h.biSize) + 4u * std::uint64_t(ColourCount(h));
    const DWORD start = tableEnd < size ? PixelStart(pixelOffset, tableEnd, size) : size;
    if (start < size && start > tableEnd) {
        std::memmove(bytes.get() + tableEnd, bytes.get() + start, size - start);
        size -= DWORD(start - tableEnd);
    }
    if (!IsSoundBlock(bytes.get(), size) || !WithinBudget(budget, size))
        return false;
    out->block = std::move(bytes);
    out->size = size;
    return true;
}

enum class Rows { copied, twoBit, runLength, bitFields };

// What a file in another layout holds, checked to lie inside its bytes (run-length rows excepted: their
// decoder stops where the bytes end).
struct Source {
    LONG width = 0, height = 0;
    bool topDown = false;
    WORD bits = 0;
    Rows rows = Rows::copied;
    DWORD tableAt = 0, colours = 0, entrySize = 4;
    DWORD pixelsAt = 0;
    std::array<DWORD, 4> masks{}; // red, green, blue, alpha
    LONG xPelsPerMeter = 0, yPelsPerMeter = 0;
};

// Each mask one run of bits inside the pixel and no two sharing a bit; red, green and blue not empty.
bool AreSoundMasks(const std::array<DWORD, 4>& masks, WORD bits) {
    DWORD seen = 0;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const DWORD mask = masks[i];
        if (mask == 0) {
            if (i < 3)
                return false;
            continue;
        }
        const DWORD run = mask >> std::countr_zero(mask);
        if ((bits == 16 && mask > 0xFFFF) || (run & (run + 1)) != 0 || (seen & mask) != 0)
            return false;
        seen |= mask;
    }
    return true;
}

std::optional<Source> Parse(const BYTE* bytes, DWORD size, DWORD pixelOffset) {
    Source s;
    const DWORD headerSize = GetLittleEndian(bytes, 0, 4);
    const bool core = headerSize == coreHeaderSize;
    DWORD compression = BI_RGB;
    if (core) {
        if (size < coreHeaderSize)
            return std::nullopt;
        s.width = LONG(GetLittleEndian(bytes, 4, 2));
        s.height = LONG(GetLittleEndian(bytes, 6, 2));
        s.bits = WORD(GetLittleEndian(bytes, 10, 2));
        s.entrySize = 3;
        s.colours = s.bits <= 8 ? 1u << s.bits : 0;
    } else {
        if (headerSize < infoHeaderSize || headerSize > largestHeaderSize || headerSize > size)
            return std::nullopt;
        BITMAPINFOHEADER h;
        std::memcpy(&h, bytes, infoHeaderSize);
        if (h.biHeight < -CDIB::maxDimension || h.biClrUsed > maxColours)
            return std::nullopt;
        s.width = h.biWidth;
        s.topDown = h.biHeight < 0;
        s.height = s.topDown ? -h.biHeight : h.biHeight;
        s.bits = h.biBitCount;
        s.xPelsPerMeter = h.biXPelsPerMeter;
        s.yPelsPerMeter = h.biYPelsPerMeter;
        compression = h.biCompression;
        s.colours = h.biClrUsed ? h.biClrUsed : s.bits <= 8 ? 1u << s.bits : 0;
    }
    if (s.width <= 0 || s.width > CDIB::maxDimension || s.height <= 0 || s.height > CDIB::maxDimension)
        return std::nullopt;

    DWORD masksAfterHeader = 0;
    switch (compression) {
    case BI_RGB:
        if (s.bits == 2)
            s.rows = Rows::twoBit;
        else if (!core || (s.bits != 1 && s.bits != 4 && s.bits != 8 && s.bits != 24))
            return std::nullopt;
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length rows are bottom-up by definition.
        if (core || s.topDown || s.bits != (compression == BI_RLE8 ? 8 : 4))
            return std::nullopt;
        s.rows = Rows::runLength;
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: {
        // The masks follow a 40-byte header; a header of 52 bytes or more holds red, green and blue, one
        // of 56 or more the alpha mask too.
        if (core || (s.bits != 16 && s.bits != 32) || (headerSize > infoHeaderSize && headerSize < 52))
            return std::nullopt;
        const DWORD count = headerSize == infoHeaderSize ? (compression == BI_BITFIELDS ? 3 : 4)
                            : headerSize >= 56           ? 4
                                                         : 3;
        if (headerSize == infoHeaderSize)
            masksAfterHeader = 4 * count;
        if (infoHeaderSize + 4 * count > size)
            return std::nullopt;
        for (DWORD i = 0; i < count; ++i)
            s.masks[i] = GetLittleEndian(bytes, infoHeaderSize + 4 * i, 4);
        if (!AreSoundMasks(s.masks, s.bits))
            return std::nullopt;
        s.rows = Rows::bitFields;
        break;
    }
    default:
        return std::nullopt;
    }

    s.tableAt = headerSize + masksAfterHeader;
    std::uint64_t tableEnd = s.tableAt + std::uint64_t(s.colours) * s.entrySize;
    // OS/2 1.x tables may be shorter than the bit count's; the offset to the pixels says so.
    if (core && pixelOffset >= fileHeaderSize + s.tableAt && pixelOffset - fileHeaderSize < tableEnd) {
        s.colours = (pixelOffset - fileHeaderSize - s.tableAt) / s.entrySize;
        tableEnd = s.tableAt + std::uint64_t(s.colours) * s.entrySize;
    }
    if (tableEnd > size || (s.bits <= 8 && s.colours == 0))
        return std::nullopt;
    s.pixelsAt = PixelStart(pixelOffset, tableEnd, size);
    const std::uint64_t rows = std::uint64_t(CDIB::StrideOf(s.width, s.bits)) * std::uint64_t(s.height);
    if (s.rows != Rows::runLength && rows > size - s.pixelsAt)
        return std::nullopt;
    return s;
}

// A zeroed plain block of the source's size: 40-byte header, room for the table, then the rows.
std::unique_ptr<BYTE[]> NewPlainBlock(const Source& s, WORD bits, DWORD colours, std::uint64_t size) {
    auto block = NewBlock(std::size_t(size));
    if (!block)
        return nullptr;
    BITMAPINFOHEADER h{};
    h.biSize = infoHeaderSize;
    h.biWidth = s.width;
    h.biHeight = s.height;
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biCompression = BI_RGB;
    h.biSizeImage = CDIB::StrideOf(s.width, bits) * DWORD(s.height);
    h.biXPelsPerMeter = s.xPelsPerMeter;
    h.biYPelsPerMeter = s.yPelsPerMeter;
    h.biClrUsed = bits <= 8 && colours != 1u << bits ? colours : 0;
    std::memcpy(block.get(), &h, infoHeaderSize);
    return block;
}

// Sets pixel x of a 4- or 8-bit row.
void SetIndex(BYTE* row, LONG x, WORD bits, UINT index) {
    if (bits == 8)
        row[x] = BYTE(index);
    else
        row[x / 2] = BYTE(x & 1 ? (row[x / 2] & 0xF0) | index : (row[x / 2] & 0x0F) | index << 4);
}

// Run-length rows: a count and a colour (two nibbles taking turns at 4 bits), or a zero and a code: end of
// line, end of picture, a move right and up, or a count of literal pixels padded to whole 16-bit words.
// Every code reads at least two bytes, pixels beyond a row's end or the last row are dropped, and the
// decoding ends where the bytes do; pixels no code sets keep index 0.
void DecodeRuns(const BYTE* in, const BYTE* end, WORD bits, BYTE* rows, DWORD stride, LONG width,
                LONG height) {
    LONG x = 0, y = 0;
    while (y < height && end - in >= 2) {
        const BYTE count = in[0], value = in[1];
        in += 2;
        BYTE* row = rows + std::size_t(y) * stride;
        if (count != 0) {
            for (int n = 0; n < count && x < width; ++n, ++x)
                SetIndex(row, x, bits, bits == 8 ? value : n & 1 ? value & 15 : value >> 4);
            continue;
        }
        switch (value) {
        case 0:
            x = 0, ++y;
            break;
        case 1:
            return;
        case 2:
            if (end - in < 2)
                return;
            x = std::min<LONG>(x + in[0], width);
            y += in[1];
            in += 2;
            break;
        default: {
            const std::ptrdiff_t bytes = bits == 8 ? value : (value + 1) / 2;
            const std::ptrdiff_t present = std::min(bytes, end - in);
            const int pixels = int(std::min<std::ptrdiff_t>(value, bits == 8 ? present : 2 * present));
            for (int n = 0; n < pixels && x < width; ++n, ++x)
                SetIndex(row, x, bits, bits == 8 ? in[n] : n & 1 ? in[n / 2] & 15 : in[n / 2] >> 4);
            in += std::min(bytes + (bytes & 1), end - in);
            break;
        }
        }
    }
}

// One bit-field channel: its bits picked out and scaled to 8, through a table for up to 8 bits.
class Channel {
public:
    explicit Channel(DWORD mask) : m_mask(mask) {
        if (!mask)
            return;
        m_width = unsigned(std::popcount(mask));
        m_shift = std::countr_zero(mask);
        for (std::uint32_t v = 0; m_width <= 8 && v < (1u << m_width); ++v)
            m_widened[v] = Widen(v, m_width);
    }
    BYTE operator()(DWORD pixel) const {
        const DWORD v = (pixel & m_mask) >> m_shift;
        return m_width <= 8 ? m_widened[v] : Widen(v, m_width);
    }

private:
    DWORD m_mask;
    unsigned m_width = 0;
    int m_shift = 0;
    std::array<BYTE, 256> m_widened{};
};

bool Convert(const BYTE* bytes, DWORD size, const Source& s, std::uint64_t* budget, dibdecode::Picture* out) {
    const WORD bits = s.rows == Rows::bitFields ? 24 : s.rows == Rows::twoBit ? 4 : s.bits;
    const DWORD colours = bits <= 8 ? s.colours : 0;
    const DWORD stride = CDIB::StrideOf(s.width, bits), alphaStride = CDIB::StrideOf(s.width, 8);
    const std::uint64_t blockSize = infoHeaderSize + 4 * colours + std::uint64_t(stride) * s.height;
    const bool hasAlpha = s.masks[3] != 0;
    const std::uint64_t alphaSize =
        hasAlpha ? infoHeaderSize + 4 * maxColours + std::uint64_t(alphaStride) * s.height : 0;
    if (blockSize > CDIB::maxBlockSize || alphaSize > CDIB::maxBlockSize)
        return false;
    if (budget && blockSize + alphaSize > *budget)
        return false;
    auto block = NewPlainBlock(s, bits, colours, blockSize);
    if (!block)
        return false;
    auto* table = reinterpret_cast<RGBQUAD*>(block.get() + infoHeaderSize);
    for (DWORD i = 0; i < colours; ++i) {
        const BYTE* entry = bytes + s.tableAt + std::size_t(i) * s.entrySize;
        table[i] = {entry[0], entry[1], entry[2], 0};
    }
    BYTE* rows = block.get() + infoHeaderSize + 4 * colours;
    const BYTE* in = bytes + s.pixelsAt;
    const DWORD inStride = CDIB::StrideOf(s.width, s.bits);
    // File row r, in the order stored, becomes stored row r, or the mirror row of a top-down file.
    auto storedRow = [&](LONG r) { return std::size_t(s.topDown ? s.height - 1 - r : r); };

    std::unique_ptr<BYTE[]> alpha;
    switch (s.rows) {
    case Rows::copied:
        for (LONG r = 0; r < s.height; ++r)
            std::memcpy(rows + storedRow(r) * stride, in + std::size_t(r) * inStride, inStride);
        break;
    case Rows::twoBit:
        for (LONG r = 0; r < s.height; ++r)
            for (LONG x = 0; x < s.width; ++x)
                SetIndex(rows + storedRow(r) * stride, x, 4, IndexAt(in + std::size_t(r) * inStride, x, 2));
        break;
    case Rows::runLength:
        DecodeRuns(in, bytes + size, s.bits, rows, stride, s.width, s.height);
        break;
    case Rows::bitFields: {
        BYTE* coverage = nullptr;
        if (hasAlpha) {
            alpha = NewPlainBlock(s, 8, maxColours, alphaSize);
            if (!alpha)
                return false;
            auto* grey = reinterpret_cast<RGBQUAD*>(alpha.get() + infoHeaderSize);
            for (UINT i = 0; i < maxColours; ++i)
                grey[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
            coverage = alpha.get() + infoHeaderSize + 4 * maxColours;
        }
        const Channel red(s.masks[0]), green(s.masks[1]), blue(s.masks[2]), opacity(s.masks[3]);
        const int pixelBytes = s.bits / 8;
        bool coveredAnywhere = false;
        for (LONG r = 0; r < s.height; ++r) {
            const BYTE* p = in + std::size_t(r) * inStride;
            BYTE* o = rows + storedRow(r) * stride;
            BYTE* a = coverage ? coverage + storedRow(r) * alphaStride : nullptr;
            for (LONG x = 0; x < s.width; ++x, p += pixelBytes, o += 3) {
                const DWORD v = GetLittleEndian(p, 0, pixelBytes);
                o[0] = blue(v), o[1] = green(v), o[2] = red(v);
                if (a) {
                    a[x] = opacity(v);
                    coveredAnywhere |= a[x] != 0;
                }
            }
        }
        // Writers that keep the alpha byte unused often leave it 0: such a picture is meant to be seen.
        // Otherwise what nothing shows of is white, as in the content pictures, so that a thumbnail shows
        // the figure on white.
        if (!coveredAnywhere)
            alpha.reset();
        for (LONG r = 0; alpha && r < s.height; ++r)
            for (LONG x = 0; x < s.width; ++x)
                if (coverage[std::size_t(r) * alphaStride + x] == 0)
                    std::memset(rows + std::size_t(r) * stride + 3 * std::size_t(x), 255, 3);
        break;
    }
    }
    if (budget)
        *budget -= blockSize + (alpha ? alphaSize : 0);
    out->block = std::move(block);
    out->size = DWORD(blockSize);
    out->alphaSize = alpha ? DWORD(alphaSize) : 0;
    out->alpha = std::move(alpha);
    return true;
}
} // namespace

namespace dibdecode {
bool Decode(std::unique_ptr<BYTE[]> bytes, DWORD size, DWORD pixelOffset, std::uint64_t* budget,
            Picture* out) {
    if (!bytes || !out || size < 4)
        return false;
    if (GetLittleEndian(bytes.get(), 0, 4) >= infoHeaderSize && size >= infoHeaderSize) {
        BITMAPINFOHEADER h;
        std::memcpy(&h, bytes.get(), infoHeaderSize);
        if (h.biCompression == BI_RGB && h.biBitCount != 2)
            return KeepAsItIs(std::move(bytes), size, pixelOffset, budget, out);
    }
    const std::optional<Source> source = Parse(bytes.get(), size, pixelOffset);
    return source && Convert(bytes.get(), size, *source, budget, out);
}
} // namespace dibdecode
