#include "composition/CanvasComposer.h"

#include "composition/DIBSlot.h"
#include "composition/WithKernels.h"
#include <algorithm>
#include <new>

namespace {
LONG ScaleToLong(LONG v, double s) {
    return LONG(std::clamp<std::int64_t>(CComposePlan::Scale(v, s), INT32_MIN, INT32_MAX));
}

void FillSpan(BYTE* row, std::int64_t from, std::int64_t to, const BYTE colour[3]) {
    for (BYTE *p = row + 3 * from, *end = row + 3 * to; p < end; p += 3) {
        p[0] = colour[0];
        p[1] = colour[1];
        p[2] = colour[2];
    }
}
} // namespace

void CCanvasComposer::Compose(CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx,
                              double sy, RECT* rect, bool blend, COLORREF key, COLORREF background) {
    if (canvas.IsEmpty() || canvas.BitCount() != 24) {
        m_marked = false;
        return;
    }
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
    std::size_t kept = 0;
    try {
        kept = KeptFront(canvas, slots, sx, sy, rect != nullptr, blend, key, background);
        m_plan.Make(slots, sx, sy, left, right);
        m_runs.Reserve(slots.size(), right - left);
        m_active.reserve(slots.size());
        m_kept.reserve(std::size_t(right - left) + 1);
        m_unkept.reserve(2 * std::size_t(right - left) + 1);
    } catch (const std::bad_alloc&) {
        m_marked = false;
        return;
    }

    for (int j = top; j < bottom; ++j) {
        BYTE* row = bits + std::size_t(height - 1 - j) * stride;
        m_active.clear();
        std::int64_t lastEnd = INT64_MIN;
        for (CComposePlan::Layer& layer : m_plan.Layers()) {
            if (j >= layer.rowStart && j < layer.rowStart + layer.rowCount) {
                m_active.push_back({&layer, {}});
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

        m_runs.StartRow();
        m_kept.clear();
        bool keptTaken = kept == 0;
        for (Active& active : m_active) {
            if (!keptTaken && active.layer->slot >= kept) {
                m_kept = m_runs.Covered();
                keptTaken = true;
            }
            if (active.layer->paints) {
                m_plan.EnterRow(*active.layer, j);
                active.pieces = m_runs.Add(m_plan, *active.layer, blend, keyBytes);
            }
        }
        if (!keptTaken)
            m_kept = m_runs.Covered();
        std::int64_t from = left;
        const std::int64_t to = std::min<std::int64_t>(right, emptyFrom);
        for (const CCoverageRuns::Run& covered : m_runs.Covered()) {
            FillSpan(row, from, std::min<std::int64_t>(covered.begin, to), back);
            from = std::max<std::int64_t>(from, covered.end);
        }
        FillSpan(row, from, to, back);
        for (auto it = m_active.rbegin(); it != m_active.rend(); ++it) {
            if (!it->layer->paints)
                continue;
            // The pieces of layers behind the kept ones lie outside the columns those decide already.
            const auto pieces = m_runs.Pieces(it->pieces);
            Paint(*it->layer, it->layer->slot < kept ? Unkept(pieces) : pieces, row);
        }

        if (emptyFrom < right)
            FillSpan(row, emptyFrom, width, back);
    }
}

void CCanvasComposer::BeginDrag(std::vector<const CDIBSlot*> moving) {
    m_moving = std::move(moving);
    m_marked = false;
}

void CCanvasComposer::EndDrag() {
    m_moving.clear();
    m_marked = false;
}

std::size_t CCanvasComposer::KeptFront(const CDIB& canvas,
                                       const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx,
                                       double sy, bool partial, bool blend, COLORREF key,
                                       COLORREF background) {
    const auto firstMoving = std::find_if(slots.begin(), slots.end(), [this](const auto& slot) {
        return slot && std::find(m_moving.begin(), m_moving.end(), slot.get()) != m_moving.end();
    });
    if (firstMoving == slots.end()) {
        m_marked = false;
        return 0;
    }
    Marks marks{&canvas, canvas.GetWidth(), canvas.GetHeight(), sx, sy, blend, key, background, {}};
    marks.front.reserve(std::size_t(firstMoving - slots.begin()));
    for (auto it = slots.begin(); it != firstMoving; ++it) {
        const CDIBSlot* slot = it->get();
        if (!slot)
            continue;
        marks.front.push_back({slot, slot->GetBits(), slot->m_source ? slot->m_source->GetAlpha() : nullptr,
                               slot->m_x, slot->m_y, slot->m_width, slot->m_height, slot->m_visible,
                               slot->GetMirrorHorizontal() != 0, slot->GetMirrorVertical() != 0});
    }
    // A whole composition keeps nothing: it is what makes the canvas right everywhere.
    const bool same = m_marked && partial && marks == m_marks;
    m_marks = std::move(marks);
    m_marked = true;
    return same ? std::size_t(firstMoving - slots.begin()) : 0;
}

std::span<const CCoverageRuns::Run> CCanvasComposer::Unkept(std::span<const CCoverageRuns::Run> pieces) {
    m_unkept.clear();
    auto kept = m_kept.cbegin();
    for (const CCoverageRuns::Run& piece : pieces) {
        while (kept != m_kept.cend() && kept->end <= piece.begin)
            ++kept;
        int from = piece.begin;
        for (auto k = kept; k != m_kept.cend() && k->begin < piece.end; ++k) {
            if (k->begin > from)
                m_unkept.push_back({from, k->begin, piece.kind});
            from = std::max(from, k->end);
        }
        if (from < piece.end)
            m_unkept.push_back({from, piece.end, piece.kind});
    }
    return m_unkept;
}

void CCanvasComposer::Paint(const CComposePlan::Layer& layer, std::span<const CCoverageRuns::Run> pieces,
                            BYTE* canvasRow) const {
    // Copied out of the layer, as the bytes written could otherwise be its fields for all the compiler knows.
    const SourceColumn* const columns = m_plan.Columns(layer);
    const BYTE *const image = layer.imageBits, *const alpha = layer.alphaBits,
                      *const next = layer.nextImageBits;
    const BYTE* const table = m_table;
    const bool contiguous = layer.contiguous;
    const int spanBegin = layer.spanBegin;
    WithKernels(m_kernels, [&]<PixelKernels K>(K) {
        for (const CCoverageRuns::Run& piece : pieces) {
            const SourceColumn* column = columns + (piece.begin - spanBegin);
            const int n = piece.end - piece.begin;
            if (next) {
                const auto [first, last] = std::minmax(column[0].image, column[n - 1].image);
                Prefetch(next, first, last + 2);
            }
            BYTE* out = canvasRow + 3 * std::size_t(piece.begin);
            if (piece.kind == CCoverageRuns::Kind::Blend)
                K::Blend(out, image, alpha, column, n, table);
            else
                K::Copy(out, image, column, n, contiguous);
        }
    });
}
