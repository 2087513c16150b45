#include "composition/ComposePlan.h"

#include "composition/DIBSlot.h"
#include <algorithm>
#include <cmath>

void CComposePlan::Stepper::Start(std::int64_t k, std::int64_t size, std::int64_t n) {
    q = k * size / n;
    r = k * size % n;
    stepQ = size / n;
    stepR = size % n;
    count = n;
}

std::int64_t CComposePlan::Scale(std::int64_t v, double s) {
    // Picture sizes are at most 32768.
    constexpr double limit = double(std::int64_t(1) << 40);
    const double d = double(v) * s;
    if (std::isnan(d))
        return 0;
    return std::int64_t(std::clamp(d, -limit, limit));
}

void CComposePlan::Make(const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy, int left,
                        int right) {
    m_layers.clear();
    m_columns.clear();
    m_maskColumns.clear();
    m_layers.reserve(slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const CDIBSlot* slot = slots[i].get();
        if (!slot || !slot->m_visible)
            continue;
        const std::int64_t w = std::abs(std::int64_t(slot->m_width));
        const std::int64_t h = std::abs(std::int64_t(slot->m_height));
        Layer layer{};
        layer.slot = i;
        layer.mirrorH = slot->GetMirrorHorizontal();
        layer.mirrorV = slot->GetMirrorVertical();
        layer.rowStart = Scale(layer.mirrorV ? slot->m_y - h : slot->m_y, sy);
        layer.rowCount = Scale(h, sy);
        if (layer.rowCount <= 0)
            continue; // never on a row
        layer.colStart = Scale(layer.mirrorH ? slot->m_x - w : slot->m_x, sx);
        layer.colCount = Scale(w, sx);
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
            layer.firstMaskColumn = m_maskColumns.size();
            MapColumns(layer, alpha != nullptr);
        }
        m_layers.push_back(layer);
    }
}

void CComposePlan::MapColumns(const Layer layer, bool hasAlpha) {
    m_columns.resize(m_columns.size() + std::size_t(layer.spanEnd - layer.spanBegin));
    SourceColumn* column = m_columns.data() + layer.firstColumn;
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
        column->alpha = layer.alpha.bits ? std::uint32_t(ColumnOffset(ax, layer.alpha.bitCount)) : 0;
        column->mask = std::uint32_t(hasAlpha ? ax : x);
        imageColumn.Next();
        alphaColumn.Next();
    }
    // The first canvas column that reads mask column a or beyond: colStart plus
    // ceil(a × colCount ÷ mask width), kept within the span.
    const int maskWidth = hasAlpha ? layer.alpha.width : layer.image.width;
    m_maskColumns.resize(m_maskColumns.size() + std::size_t(maskWidth) + 1);
    int* canvasColumn = m_maskColumns.data() + layer.firstMaskColumn;
    Stepper inverse;
    inverse.Start(0, layer.colCount, maskWidth);
    for (int a = 0; a <= maskWidth; ++a, inverse.Next())
        canvasColumn[a] = int(std::clamp<std::int64_t>(layer.colStart + inverse.q + (inverse.r != 0),
                                                       layer.spanBegin, layer.spanEnd));
}
