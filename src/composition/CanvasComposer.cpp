#include "composition/CanvasComposer.h"

#include "composition/DIBSlot.h"
#include <algorithm>
#include <cmath>
#include <new>

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
} // namespace

void CCanvasComposer::Stepper::Start(std::int64_t k, std::int64_t size, std::int64_t n) {
    q = k * size / n;
    r = k * size % n;
    stepQ = size / n;
    stepR = size % n;
    count = n;
}

void CCanvasComposer::Compose(CDIB& canvas, const std::vector<CDIBSlot*>& slots, double sx, double sy,
                              RECT* rect, bool blend, COLORREF key, COLORREF background) {
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
        FillSpan(row, left, std::min<std::int64_t>(right, emptyFrom), back);
        for (auto it = m_active.rbegin(); it != m_active.rend(); ++it)
            PaintRow(**it, j, row, blend, keyBytes);
        if (emptyFrom < right)
            FillSpan(row, emptyFrom, width, back);
    }
}

bool CCanvasComposer::Plan(const std::vector<CDIBSlot*>& slots, double sx, double sy, int left, int right) {
    m_layers.clear();
    m_columns.clear();
    try {
        m_layers.reserve(slots.size());
        m_active.reserve(slots.size());
        for (const CDIBSlot* slot : slots) {
            if (!slot || !slot->m_visible)
                continue;
            const std::int64_t w = std::abs(std::int64_t(slot->m_width));
            const std::int64_t h = std::abs(std::int64_t(slot->m_height));
            const bool mirrorH = slot->GetMirrorHorizontal();
            Layer layer{};
            layer.mirrorV = slot->GetMirrorVertical();
            layer.rowStart = ScaleTrunc(layer.mirrorV ? slot->m_y - h : slot->m_y, sy);
            layer.rowCount = ScaleTrunc(h, sy);
            if (layer.rowCount <= 0)
                continue; // never on a row
            layer.colStart = ScaleTrunc(mirrorH ? slot->m_x - w : slot->m_x, sx);
            const std::int64_t colCount = ScaleTrunc(w, sx);
            layer.colEnd = layer.colStart + colCount;

            layer.image = {slot->GetBits(), slot->GetStride(), slot->GetWidth(), slot->GetHeight(),
                           slot->BitCount()};
            const CDIB* alpha = slot->m_source ? slot->m_source->GetAlpha() : nullptr;
            if (alpha)
                layer.alpha = {alpha->GetBits(), alpha->GetStride(), alpha->GetWidth(), alpha->GetHeight(),
                               alpha->BitCount()};
            layer.spanBegin = int(std::max<std::int64_t>(layer.colStart, left));
            layer.spanEnd = int(std::min<std::int64_t>(layer.colEnd, right));
            layer.paints = layer.image.bits && layer.image.bitCount == 24 && colCount > 0 &&
                           layer.spanBegin < layer.spanEnd &&
                           (!alpha || (layer.alpha.bits && ColumnOffset(0, layer.alpha.bitCount) >= 0));
            if (layer.paints) {
                layer.firstColumn = m_columns.size();
                Stepper imageColumn, alphaColumn;
                imageColumn.Start(layer.spanBegin - layer.colStart, layer.image.width, colCount);
                alphaColumn.Start(layer.spanBegin - layer.colStart, layer.alpha.width, colCount);
                for (int e = layer.spanBegin; e < layer.spanEnd; ++e) {
                    std::int64_t x = imageColumn.q, ax = alphaColumn.q;
                    if (mirrorH) {
                        x = layer.image.width - 1 - x;
                        ax = layer.alpha.width - 1 - ax;
                    }
                    m_columns.push_back(
                        {std::uint32_t(3 * x),
                         layer.alpha.bits ? std::uint32_t(ColumnOffset(ax, layer.alpha.bitCount)) : 0});
                    imageColumn.Next();
                    alphaColumn.Next();
                }
            }
            m_layers.push_back(layer);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CCanvasComposer::PaintRow(Layer& layer, std::int64_t j, BYTE* canvasRow, bool blend, const BYTE key[3]) {
    if (!layer.paints)
        return;
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
    const BYTE* imageRow = storedRow(layer.image, layer.imageRow.q);
    BYTE* out = canvasRow + 3 * std::size_t(layer.spanBegin);
    if (!layer.alpha.bits)
        PaintKeyed(layer, imageRow, key, out);
    else if (!blend)
        PaintAlpha<Mix::OpaqueOnly>(layer, imageRow, storedRow(layer.alpha, layer.alphaRow.q), out);
    else if (m_table)
        PaintAlpha<Mix::Table>(layer, imageRow, storedRow(layer.alpha, layer.alphaRow.q), out);
    else
        PaintAlpha<Mix::Direct>(layer, imageRow, storedRow(layer.alpha, layer.alphaRow.q), out);
}

template <CCanvasComposer::Mix mix>
void CCanvasComposer::PaintAlpha(const Layer& layer, const BYTE* imageRow, const BYTE* alphaRow,
                                 BYTE* out) const {
    const Column* column = m_columns.data() + layer.firstColumn;
    for (int n = layer.spanEnd - layer.spanBegin; n > 0; --n, ++column, out += 3) {
        const unsigned a = alphaRow[column->alpha];
        if (a == 0)
            continue;
        const BYTE* s = imageRow + column->image;
        if (a == 255) {
            out[0] = s[0];
            out[1] = s[1];
            out[2] = s[2];
        } else if constexpr (mix == Mix::Table) {
            // (D × (255 − a)) >> 8 plus (S × a) >> 8, both from the product table.
            const BYTE* keep = m_table + (255 - a) * 256;
            const BYTE* take = m_table + a * 256;
            out[0] = BYTE(keep[out[0]] + take[s[0]]);
            out[1] = BYTE(keep[out[1]] + take[s[1]]);
            out[2] = BYTE(keep[out[2]] + take[s[2]]);
        } else if constexpr (mix == Mix::Direct) {
            const unsigned k = 255 - a;
            out[0] = BYTE(((out[0] * k) >> 8) + ((s[0] * a) >> 8));
            out[1] = BYTE(((out[1] * k) >> 8) + ((s[1] * a) >> 8));
            out[2] = BYTE(((out[2] * k) >> 8) + ((s[2] * a) >> 8));
        }
    }
}

void CCanvasComposer::PaintKeyed(const Layer& layer, const BYTE* imageRow, const BYTE key[3],
                                 BYTE* out) const {
    const Column* column = m_columns.data() + layer.firstColumn;
    for (int n = layer.spanEnd - layer.spanBegin; n > 0; --n, ++column, out += 3) {
        const BYTE* s = imageRow + column->image;
        if (s[0] == key[0] && s[1] == key[1] && s[2] == key[2])
            continue;
        out[0] = s[0];
        out[1] = s[1];
        out[2] = s[2];
    }
}
