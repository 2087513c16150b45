#include "composition/CanvasComposer.h"

#include "composition/DIBSlot.h"
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <new>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// Scaled coordinates are kept within this bound, so that no product of a coordinate and a picture size
// (at most 32768) overflows, whatever a stored slot holds.
constexpr double coordinateLimit = double(std::int64_t(1) << 40);

// v × s truncated toward zero.
std::int64_t ScaleTrunc(std::int64_t v, double s) {
    const double d = double(v) * s;
    if (std::isnan(d))
        return 0;
    return std::int64_t(std::clamp(d, -coordinateLimit, coordinateLimit));
}

LONG ScaleToLong(LONG v, double s) {
    return LONG(std::clamp<std::int64_t>(ScaleTrunc(v, s), INT32_MIN, INT32_MAX));
}

void FillSpan(BYTE* row, std::int64_t from, std::int64_t to, const BYTE colour[3]) {
    for (BYTE *p = row + 3 * from, *end = row + 3 * to; p < end; p += 3) {
        p[0] = colour[0];
        p[1] = colour[1];
        p[2] = colour[2];
    }
}

// The byte offset of column x in a stored row, as pixel addressing gives it; -1 for bit counts it
// cannot address.
std::int64_t ColumnOffset(std::int64_t x, int bitCount) {
    switch (bitCount) {
    case 1:
        return x / 8;
    case 4:
        return x / 2;
    case 8:
        return x;
    case 16:
        return 2 * x;
    case 24:
        return 3 * x;
    default:
        return -1;
    }
}
static_assert(std::endian::native == std::endian::little,
              "pixels are read and written as little-endian words");

#if defined(__SSE2__)
// Asks for the cache lines of bytes first to last of row.
void Prefetch(const BYTE* row, std::uint32_t first, std::uint32_t last) {
    for (std::uint32_t offset = first; offset < last; offset += 64)
        _mm_prefetch(reinterpret_cast<const char*>(row + offset), _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(row + last), _MM_HINT_T0);
}

// The bits of the 16 bytes at p that equal v (bit i for byte i).
unsigned Equal16(const BYTE* p, __m128i v) {
    return unsigned(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), v)));
}
#endif

// The first column from x on, before end, whose byte ends gives true for; end if there is none. With
// SSE2, 16 bytes at a time through ends16 (the same test as bits), and the last bytes of the range as the
// 16 that end at end rather than one by one.
template <class Ends, class Ends16> int RunEnd(const BYTE* row, int x, int end, Ends ends, Ends16 ends16) {
#if defined(__SSE2__)
    if (end >= 16) {
        for (; x + 16 <= end; x += 16)
            if (const unsigned found = ends16(row + x))
                return x + std::countr_zero(found);
        const unsigned found = ends16(row + end - 16) >> (x - (end - 16));
        return std::min(x + std::countr_zero(found), end);
    }
#endif
    while (x < end && !ends(row[x]))
        ++x;
    return x;
}

// The first column from x on whose byte is not v.
template <BYTE v> int EndOfSame(const BYTE* row, int x, int end) {
#if defined(__SSE2__)
    const __m128i same = _mm_set1_epi8(char(v));
    auto ends16 = [same](const BYTE* p) { return ~Equal16(p, same) & 0xFFFF; };
#else
    auto ends16 = [](const BYTE*) { return 0u; };
#endif
    return RunEnd(
        row, x, end, [](BYTE b) { return b != v; }, ends16);
}

// The first column from x on whose byte is 0 or 255.
int EndOfSoft(const BYTE* row, int x, int end) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi8(-1);
    auto ends16 = [zero, full](const BYTE* p) { return Equal16(p, zero) | Equal16(p, full); };
#else
    auto ends16 = [](const BYTE*) { return 0u; };
#endif
    return RunEnd(
        row, x, end, [](BYTE b) { return b == 0 || b == 255; }, ends16);
}

// The pixels of four columns (each with a byte offset image into the row), in order, as twelve bytes.
template <class Column> std::array<std::uint32_t, 3> GatherFour(const BYTE* image, const Column* column) {
    // A pixel is read as the word that ends with it: the header in front of the rows keeps that read
    // inside the block even for the first pixel.
    auto pixel = [image](const Column& c) {
        std::uint32_t word;
        std::memcpy(&word, image + c.image - 1, 4);
        return word >> 8;
    };
    const std::uint32_t p0 = pixel(column[0]), p1 = pixel(column[1]), p2 = pixel(column[2]),
                        p3 = pixel(column[3]);
    return {p0 | p1 << 24, p1 >> 8 | p2 << 16, p2 >> 16 | p3 << 8};
}

} // namespace

void CCanvasComposer::Stepper::Start(std::int64_t k, std::int64_t size, std::int64_t n) {
    q = k * size / n;
    r = k * size % n;
    stepQ = size / n;
    stepR = size % n;
    count = n;
}

void CCanvasComposer::Compose(CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx,
                              double sy, RECT* rect, bool blend, COLORREF key, COLORREF background) {
    if (canvas.IsEmpty() || canvas.BitCount() != 24)
        return;
    const int width = canvas.GetWidth();
    const int height = canvas.GetHeight();
    BYTE* const bits = canvas.GetBits();
    const DWORD stride = canvas.GetStride();
    const BYTE back[3] = {BYTE(background >> 16), BYTE(background >> 8), BYTE(background)};
    const BYTE keyBytes[3] = {BYTE(key >> 16), BYTE(key >> 8), BYTE(key)};

    int left = 0, top = 0, right = width, bottom = height;
    if (rect) {
        NormalizeRect(*rect);
        *rect = {ScaleToLong(rect->left, sx), ScaleToLong(rect->top, sy), ScaleToLong(rect->right, sx),
                 ScaleToLong(rect->bottom, sy)};
        left = std::clamp<LONG>(rect->left, 0, width);
        right = std::clamp<LONG>(rect->right, 0, width);
        top = std::clamp<LONG>(rect->top, 0, height);
        bottom = std::clamp<LONG>(rect->bottom, 0, height);
    }

    if (slots.empty()) {
        for (int j = 0; j < height; ++j)
            FillSpan(bits + std::size_t(j) * stride, 0, width, back);
        return;
    }
    if (!Plan(slots, sx, sy, left, right))
        return;

    for (int j = top; j < bottom; ++j) {
        BYTE* row = bits + std::size_t(height - 1 - j) * stride;
        m_active.clear();
        std::int64_t lastEnd = INT64_MIN;
        for (Layer& layer : m_layers) {
            if (j >= layer.rowStart && j < layer.rowStart + layer.rowCount) {
                m_active.push_back(&layer);
                lastEnd = std::max(lastEnd, layer.colEnd);
            }
        }
        if (m_active.empty()) {
            FillSpan(row, left, right, back);
            continue;
        }
        // From the first column of the update area at which no slot is left on the row, the rest of the
        // row is background up to the canvas's right edge.
        const std::int64_t emptyFrom = std::max<std::int64_t>({left, lastEnd + 1, 1});

        m_pieces.clear();
        m_covered.clear();
        for (Layer* layer : m_active)
            if (layer->paints)
                FindPieces(*layer, j, blend, keyBytes);
        std::int64_t from = left;
        const std::int64_t to = std::min<std::int64_t>(right, emptyFrom);
        for (const Run& covered : m_covered) {
            FillSpan(row, from, std::min<std::int64_t>(covered.begin, to), back);
            from = std::max<std::int64_t>(from, covered.end);
        }
        FillSpan(row, from, to, back);
        for (auto it = m_active.rbegin(); it != m_active.rend(); ++it)
            if ((*it)->paints)
                PaintPieces(**it, row);

        if (emptyFrom < right)
            FillSpan(row, emptyFrom, width, back);
    }
}

bool CCanvasComposer::Plan(const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy,
                           int left, int right) {
    m_layers.clear();
    m_columns.clear();
    m_maskColumns.clear();
    try {
        m_layers.reserve(slots.size());
        m_active.reserve(slots.size());
        m_pieces.reserve(slots.size() * (std::size_t(std::max(right - left, 0)) + 1));
        m_covered.reserve(std::size_t(std::max(right - left, 0)) + 1);
        m_coveredNext.reserve(m_covered.capacity());
        for (const auto& slot : slots) {
            if (!slot || !slot->m_visible)
                continue;
            const std::int64_t w = std::abs(std::int64_t(slot->m_width));
            const std::int64_t h = std::abs(std::int64_t(slot->m_height));
            Layer layer{};
            layer.mirrorH = slot->GetMirrorHorizontal();
            layer.mirrorV = slot->GetMirrorVertical();
            layer.rowStart = ScaleTrunc(layer.mirrorV ? slot->m_y - h : slot->m_y, sy);
            layer.rowCount = ScaleTrunc(h, sy);
            if (layer.rowCount <= 0)
                continue; // never on a row
            layer.colStart = ScaleTrunc(layer.mirrorH ? slot->m_x - w : slot->m_x, sx);
            layer.colCount = ScaleTrunc(w, sx);
            layer.colEnd = layer.colStart + layer.colCount;

            layer.image = {slot->GetBits(), slot->GetStride(), slot->GetWidth(), slot->GetHeight(),
                           slot->BitCount()};
            const CDIB* alpha = slot->m_source ? slot->m_source->GetAlpha() : nullptr;
            if (alpha)
                layer.alpha = {alpha->GetBits(), alpha->GetStride(), alpha->GetWidth(), alpha->GetHeight(),
                               alpha->BitCount()};
            layer.spanBegin = int(std::clamp<std::int64_t>(layer.colStart, left, right));
            layer.spanEnd = int(std::clamp<std::int64_t>(layer.colEnd, left, right));
            layer.paints = layer.image.bits && layer.image.bitCount == 24 && layer.colCount > 0 &&
                           layer.spanBegin < layer.spanEnd &&
                           (!alpha || (layer.alpha.bits && ColumnOffset(0, layer.alpha.bitCount) >= 0));
            layer.contiguous = !layer.mirrorH && layer.colCount == layer.image.width;
            if (layer.paints) {
                layer.firstColumn = m_columns.size();
                m_columns.resize(m_columns.size() + std::size_t(layer.spanEnd - layer.spanBegin));
                Column* column = m_columns.data() + layer.firstColumn;
                Stepper imageColumn, alphaColumn;
                imageColumn.Start(layer.spanBegin - layer.colStart, layer.image.width, layer.colCount);
                alphaColumn.Start(layer.spanBegin - layer.colStart, layer.alpha.width, layer.colCount);
                for (int e = layer.spanBegin; e < layer.spanEnd; ++e, ++column) {
                    std::int64_t x = imageColumn.q, ax = alphaColumn.q;
                    if (layer.mirrorH) {
                        x = layer.image.width - 1 - x;
                        ax = layer.alpha.width - 1 - ax;
                    }
                    column->image = std::uint32_t(3 * x);
                    column->alpha =
                        layer.alpha.bits ? std::uint32_t(ColumnOffset(ax, layer.alpha.bitCount)) : 0;
                    column->mask = std::uint32_t(alpha ? ax : x);
                    imageColumn.Next();
                    alphaColumn.Next();
                }
                // The first canvas column that reads mask column a or beyond: colStart plus
                // ceil(a × colCount ÷ mask width), kept within the span.
                const int maskWidth = alpha ? layer.alpha.width : layer.image.width;
                layer.firstMaskColumn = m_maskColumns.size();
                m_maskColumns.resize(m_maskColumns.size() + std::size_t(maskWidth) + 1);
                int* canvasColumn = m_maskColumns.data() + layer.firstMaskColumn;
                Stepper inverse;
                inverse.Start(0, layer.colCount, maskWidth);
                for (int a = 0; a <= maskWidth; ++a, inverse.Next())
                    canvasColumn[a] = int(std::clamp<std::int64_t>(
                        layer.colStart + inverse.q + (inverse.r != 0), layer.spanBegin, layer.spanEnd));
            }
            m_layers.push_back(layer);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CCanvasComposer::FindPieces(Layer& layer, std::int64_t j, bool blend, const BYTE key[3]) {
    // A layer's rows are consecutive, so after its first row each row is one step further.
    if (!layer.rowsStarted) {
        layer.imageRow.Start(j - layer.rowStart, layer.image.height, layer.rowCount);
        layer.alphaRow.Start(j - layer.rowStart, layer.alpha.height, layer.rowCount);
        layer.rowsStarted = true;
    } else {
        layer.imageRow.Next();
        layer.alphaRow.Next();
    }
    auto storedRow = [&](const Plane& plane, std::int64_t y) {
        return plane.bits + std::size_t(layer.mirrorV ? y : plane.height - 1 - y) * plane.stride;
    };
    layer.imageBits = storedRow(layer.image, layer.imageRow.q);
    layer.alphaBits = layer.alpha.bits ? storedRow(layer.alpha, layer.alphaRow.q) : nullptr;
#if defined(__SSE2__)
    // The stored rows of the next canvas row are asked for now, so that reading them does not start by
    // waiting for memory: the companion's over the whole span here, the picture's under each piece as
    // it is painted.
    layer.nextImageBits = nullptr;
    if (j + 1 < layer.rowStart + layer.rowCount) {
        Stepper nextImage = layer.imageRow, nextAlpha = layer.alphaRow;
        nextImage.Next();
        nextAlpha.Next();
        layer.nextImageBits = storedRow(layer.image, nextImage.q);
        if (layer.alpha.bits) {
            const Column* columns = m_columns.data() + layer.firstColumn;
            const auto [first, last] =
                std::minmax(columns[0].alpha, columns[layer.spanEnd - layer.spanBegin - 1].alpha);
            Prefetch(storedRow(layer.alpha, nextAlpha.q), first, last);
        }
    }
#endif

    // Only the gaps between the opaque runs of the layers in front are read and painted.
    layer.pieceBegin = m_pieces.size();
    auto covered = std::partition_point(m_covered.begin(), m_covered.end(),
                                        [&](const Run& run) { return run.end <= layer.spanBegin; });
    int from = layer.spanBegin;
    for (; covered != m_covered.end() && covered->begin < layer.spanEnd; ++covered) {
        if (covered->begin > from)
            AddGap(layer, from, covered->begin, blend, key);
        from = std::max(from, covered->end);
    }
    if (from < layer.spanEnd)
        AddGap(layer, from, layer.spanEnd, blend, key);
    layer.pieceEnd = m_pieces.size();
    Cover(layer.pieceBegin);
}

// Reads the mask columns that canvas columns begin..end-1 sample, as runs, and adds them as pieces.
void CCanvasComposer::AddGap(const Layer& layer, int begin, int end, bool blend, const BYTE key[3]) {
    const int maskWidth = layer.alphaBits ? layer.alpha.width : layer.image.width;
    const Column* const columns = m_columns.data() + layer.firstColumn;
    const int first = int(columns[begin - layer.spanBegin].mask);
    const int last = int(columns[end - 1 - layer.spanBegin].mask);
    const bool mirror = layer.mirrorH;

    // Mask column a is first read at canvas column canvasColumn[a]; mirrored, mask columns count from
    // the other side, and the pieces come right to left until they are turned round at the end.
    const int* canvasColumn = m_maskColumns.data() + layer.firstMaskColumn;
    const std::size_t gapPieces = m_pieces.size();
    auto add = [&](int from, int to, Kind kind) {
        if (kind == Kind::Leave)
            return;
        const int c0 = std::max(canvasColumn[mirror ? maskWidth - to : from], begin);
        const int c1 = std::min(canvasColumn[mirror ? maskWidth - from : to], end);
        if (c0 >= c1)
            return;
        Run* back = m_pieces.size() > gapPieces ? &m_pieces.back() : nullptr;
        if (back && back->kind == kind && (mirror ? back->begin == c1 : back->end == c0))
            (mirror ? back->begin : back->end) = mirror ? c0 : c1;
        else
            m_pieces.push_back({c0, c1, kind});
    };
    const Kind soft = blend ? Kind::Blend : Kind::Leave;
    const int from = mirror ? last : first, to = (mirror ? first : last) + 1;
    if (!layer.alphaBits) {
        const BYTE* row = layer.imageBits;
        for (int x = from; x < to; ++x) {
            const BYTE* s = row + 3 * x;
            add(x, x + 1, s[0] == key[0] && s[1] == key[1] && s[2] == key[2] ? Kind::Leave : Kind::Copy);
        }
    } else if (layer.alpha.bitCount == 8) {
        // Companions are mostly long runs of 0 and 255: scan those many bytes at a time.
        const BYTE* row = layer.alphaBits;
        for (int x = from; x < to;) {
            const int runStart = x;
            const BYTE v = row[x];
            if (v == 0) {
                x = EndOfSame<0>(row, x + 1, to);
            } else if (v == 255) {
                x = EndOfSame<255>(row, x + 1, to);
                add(runStart, x, Kind::Copy);
            } else {
                x = EndOfSoft(row, x + 1, to);
                add(runStart, x, soft);
            }
        }
    } else {
        for (int x = from; x < to; ++x) {
            const BYTE v = layer.alphaBits[ColumnOffset(x, layer.alpha.bitCount)];
            add(x, x + 1, v == 0 ? Kind::Leave : v == 255 ? Kind::Copy : soft);
        }
    }
    if (mirror)
        std::reverse(m_pieces.begin() + std::ptrdiff_t(gapPieces), m_pieces.end());
}

// Merges the opaque pieces from index from on (in column order) into the covered columns.
void CCanvasComposer::Cover(std::size_t from) {
    if (std::none_of(m_pieces.begin() + std::ptrdiff_t(from), m_pieces.end(),
                     [](const Run& piece) { return piece.kind == Kind::Copy; }))
        return;
    m_coveredNext.clear();
    auto add = [this](const Run& run) {
        if (!m_coveredNext.empty() && m_coveredNext.back().end >= run.begin)
            m_coveredNext.back().end = std::max(m_coveredNext.back().end, run.end);
        else
            m_coveredNext.push_back(run);
    };
    auto covered = m_covered.begin();
    for (std::size_t i = from; i < m_pieces.size(); ++i) {
        if (m_pieces[i].kind != Kind::Copy)
            continue;
        while (covered != m_covered.end() && covered->begin < m_pieces[i].begin)
            add(*covered++);
        add(m_pieces[i]);
    }
    while (covered != m_covered.end())
        add(*covered++);
    m_covered.swap(m_coveredNext);
}

void CCanvasComposer::PaintPieces(const Layer& layer, BYTE* canvasRow) const {
    const BYTE* const image = layer.imageBits;
    const Column* const columns = m_columns.data() + layer.firstColumn - layer.spanBegin;
    for (std::size_t i = layer.pieceBegin; i < layer.pieceEnd; ++i) {
        const Run piece = m_pieces[i];
#if defined(__SSE2__)
        if (layer.nextImageBits) {
            const auto [first, last] = std::minmax(columns[piece.begin].image, columns[piece.end - 1].image);
            Prefetch(layer.nextImageBits, first, last + 2);
        }
#endif
        if (piece.kind == Kind::Blend) {
            if (m_table)
                BlendPiece<Mix::Table>(layer, piece, canvasRow);
            else
                BlendPiece<Mix::Direct>(layer, piece, canvasRow);
            continue;
        }
        const Column* column = columns + piece.begin;
        BYTE* out = canvasRow + 3 * std::size_t(piece.begin);
        if (layer.contiguous) {
            std::memcpy(out, image + column->image, 3 * std::size_t(piece.end - piece.begin));
            continue;
        }
        const int n = piece.end - piece.begin;
        if (n < 4) {
            for (int k = 0; k < n; ++k)
                std::memcpy(out + 3 * k, image + column[k].image, 3);
            continue;
        }
        auto copyFour = [image](const Column* c, BYTE* to) {
            const auto words = GatherFour(image, c);
            std::memcpy(to, &words[0], 4);
            std::memcpy(to + 4, &words[1], 4);
            std::memcpy(to + 8, &words[2], 4);
        };
        // The last four pixels are copied again rather than one by one: writing the same bytes twice is
        // harmless, and it spares a loop of unpredictable length.
        for (int k = 0; k + 4 <= n; k += 4)
            copyFour(column + k, out + 3 * k);
        copyFour(column + n - 4, out + 3 * (n - 4));
    }
}

// Mixes partly transparent pixels (alpha 1 to 254): (D × (255 − a)) >> 8 plus (S × a) >> 8. With SSE2,
// four pixels at a time in 16-bit lanes: no product exceeds 255 × 255, so each byte is the same as the
// table's; the pixels left over go through the table, or the same products directly without one.
template <CCanvasComposer::Mix mix>
void CCanvasComposer::BlendPiece(const Layer& layer, const Run& piece, BYTE* canvasRow) const {
    const BYTE* const image = layer.imageBits;
    const BYTE* const alpha = layer.alphaBits;
    const Column* column = m_columns.data() + layer.firstColumn + (piece.begin - layer.spanBegin);
    BYTE* out = canvasRow + 3 * std::size_t(piece.begin);
    int n = piece.end - piece.begin;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi8(-1);
    auto mix8 = [](__m128i d, __m128i s, __m128i keep, __m128i take) {
        return _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(d, keep), 8),
                             _mm_srli_epi16(_mm_mullo_epi16(s, take), 8));
    };
    for (; n >= 4; n -= 4, column += 4, out += 12) {
        std::uint32_t weights[3], tail;
        const auto words = GatherFour(image, column);
        const std::uint32_t a0 = alpha[column[0].alpha] * 0x010101u, a1 = alpha[column[1].alpha] * 0x010101u,
                            a2 = alpha[column[2].alpha] * 0x010101u, a3 = alpha[column[3].alpha] * 0x010101u;
        weights[0] = a0 | a1 << 24;
        weights[1] = a1 >> 8 | a2 << 16;
        weights[2] = a2 >> 16 | a3 << 8;
        std::memcpy(&tail, out + 8, 4);
        const __m128i d = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(out)),
                                             _mm_cvtsi32_si128(int(tail)));
        const __m128i s = _mm_setr_epi32(int(words[0]), int(words[1]), int(words[2]), 0);
        const __m128i take = _mm_setr_epi32(int(weights[0]), int(weights[1]), int(weights[2]), 0);
        const __m128i keep = _mm_sub_epi8(ones, take);
        const __m128i lo = mix8(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero),
                                _mm_unpacklo_epi8(keep, zero), _mm_unpacklo_epi8(take, zero));
        const __m128i hi = mix8(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero),
                                _mm_unpackhi_epi8(keep, zero), _mm_unpackhi_epi8(take, zero));
        const __m128i mixed = _mm_packus_epi16(lo, hi);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), mixed);
        tail = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(mixed, 8)));
        std::memcpy(out + 8, &tail, 4);
    }
#endif
    const BYTE* const table = m_table;
    for (; n > 0; --n, ++column, out += 3) {
        const unsigned a = alpha[column->alpha];
        const BYTE* s = image + column->image;
        if constexpr (mix == Mix::Table) {
            const BYTE* keep = table + (255 - a) * 256;
            const BYTE* take = table + a * 256;
            out[0] = BYTE(keep[out[0]] + take[s[0]]);
            out[1] = BYTE(keep[out[1]] + take[s[1]]);
            out[2] = BYTE(keep[out[2]] + take[s[2]]);
        } else {
            const unsigned k = 255 - a;
            out[0] = BYTE(((out[0] * k) >> 8) + ((s[0] * a) >> 8));
            out[1] = BYTE(((out[1] * k) >> 8) + ((s[1] * a) >> 8));
            out[2] = BYTE(((out[2] * k) >> 8) + ((s[2] * a) >> 8));
        }
    }
}
