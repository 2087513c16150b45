#include "imaging/DIB.h"

#include "imaging/DIBBlock.h"
#include "platform/Palette.h"

#include <array>
#include <new>
#include <vector>

using namespace dibblock;

std::unique_ptr<CDIB> CDIB::CreateScaled(int width, int height, int bitCount, const CPalette* palette) const {
    // Indexes only when there is a palette to take them from; three bytes otherwise.
    const bool indexed = bitCount == 8 && palette && palette->GetEntryCount() > 0;
    auto result = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    if (!result || !result->Create(width, height, indexed ? 8 : 24, indexed ? palette : nullptr))
        return nullptr;
    if (!m_block)
        return result;
    // A full 256-entry table is looked up sample by sample; 24-bit rows are read as they are, and every
    // other layout as its rows in blue, green, red, each sampled row converted once.
    const bool fromTable = BitCount() == 8 && NumColors() == maxColours;
    const bool fromRgb = BitCount() == 24;

    // Each output position samples one source pixel, one scale step from its neighbours' samples.
    const int w = GetWidth(), h = GetHeight();
    const DWORD sourceStride = GetStride();
    std::vector<DWORD> columnOffset(width);
    std::vector<int> sourceRow(height);
    for (int j = 0; j < width; ++j)
        columnOffset[j] = DWORD(std::uint64_t(j) * w / width) * (fromTable ? 1 : 3);
    for (int i = 0; i < height; ++i)
        sourceRow[i] = int(std::uint64_t(i) * h / height);
    const BYTE* source = GetBits();
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    static constexpr unsigned weights[3][3] = {{7, 106, 7}, {106, 500, 106}, {7, 106, 7}};
    // Output rows i - 1, i and i + 1 use three different places of the converted rows.
    std::vector<BYTE> converted(fromTable || fromRgb ? 0 : 9 * std::size_t(w));
    std::array<int, 3> convertedRow = {-1, -1, -1};
    auto sampledRow = [&](int i) -> const BYTE* {
        const int r = sourceRow[i];
        if (converted.empty())
            return source + std::size_t(r) * sourceStride;
        BYTE* place = converted.data() + std::size_t(i % 3) * 3 * w;
        if (convertedRow[i % 3] != r) {
            CopyRowAs24Bit(r, place);
            convertedRow[i % 3] = r;
        }
        return place;
    };

    // A table source leaves the one-pixel border white; the others clip the neighbourhood.
    const int border = fromTable ? 1 : 0;
    BYTE* out = result->GetBits();
    const DWORD outStride = result->GetStride();
    for (int i = border; i < height - border; ++i) {
        const BYTE* rows[3];
        for (int dy = -1; dy <= 1; ++dy)
            rows[dy + 1] = i + dy >= 0 && i + dy < height ? sampledRow(i + dy) : nullptr;
        BYTE* o = out + std::size_t(i) * outStride + std::size_t(border) * (indexed ? 1 : 3);
        for (int j = border; j < width - border; ++j) {
            unsigned blue = 0, green = 0, red = 0, total = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                const BYTE* row = rows[dy + 1];
                if (!row)
                    continue;
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = j + dx;
                    if (x < 0 || x >= width)
                        continue;
                    const BYTE* p = row + columnOffset[x];
                    const unsigned weight = weights[dy + 1][dx + 1];
                    if (fromTable) {
                        const RGBQUAD& q = table[*p];
                        blue += weight * q.rgbBlue, green += weight * q.rgbGreen, red += weight * q.rgbRed;
                    } else {
                        blue += weight * p[0], green += weight * p[1], red += weight * p[2];
                    }
                    total += weight;
                }
            }
            const BYTE b = BYTE(blue / total), g = BYTE(green / total), r = BYTE(red / total);
            if (indexed) {
                *o++ = BYTE(palette->GetNearestPaletteIndex(RGB(r, g, b)));
            } else {
                o[0] = b, o[1] = g, o[2] = r;
                o += 3;
            }
        }
    }
    return result;
}
