#include "composition/PickSlotAt.h"

#include "composition/ComposePlan.h"
#include <cstdlib>

namespace {
// The stored byte of the picture's column x, row y (from the top), as composing reads it; none outside.
const BYTE* StoredByte(const CDIB& picture, std::int64_t x, std::int64_t y) {
    const std::int64_t offset = CComposePlan::ColumnOffset(x, picture.BitCount());
    if (!picture.GetBits() || offset < 0 || x < 0 || y < 0 || x >= picture.GetWidth() ||
        y >= picture.GetHeight() || offset >= std::int64_t(picture.GetStride()))
        return nullptr;
    return picture.GetBits() + std::size_t(picture.GetHeight() - 1 - y) * picture.GetStride() +
           std::size_t(offset);
}

// Whether the slot paints canvas pixel p, and, with covered, whether what it paints there is not
// transparent.
bool Paints(const CDIBSlot& slot, POINT p, double sx, double sy, bool* covered, COLORREF key) {
    const std::int64_t w = std::abs(std::int64_t(slot.m_width)), h = std::abs(std::int64_t(slot.m_height));
    const bool mirrorH = slot.GetMirrorHorizontal(), mirrorV = slot.GetMirrorVertical();
    const std::int64_t colStart = CComposePlan::Scale(mirrorH ? slot.m_x - w : slot.m_x, sx);
    const std::int64_t rowStart = CComposePlan::Scale(mirrorV ? slot.m_y - h : slot.m_y, sy);
    const std::int64_t colCount = CComposePlan::Scale(w, sx), rowCount = CComposePlan::Scale(h, sy);
    const std::int64_t e = p.x - colStart, j = p.y - rowStart;
    if (colCount <= 0 || rowCount <= 0 || e < 0 || j < 0 || e >= colCount || j >= rowCount)
        return false;
    // The picture's column and row composing reads there, turned round on a mirrored axis.
    const auto sample = [&](const CDIB& picture, const BYTE** byte) {
        std::int64_t x = e * picture.GetWidth() / colCount, y = j * picture.GetHeight() / rowCount;
        if (mirrorH)
            x = picture.GetWidth() - 1 - x;
        if (mirrorV)
            y = picture.GetHeight() - 1 - y;
        *byte = StoredByte(picture, x, y);
    };
    const BYTE* pixel = nullptr;
    if (const CDIB* alpha = slot.m_source ? slot.m_source->GetAlpha() : nullptr) {
        sample(*alpha, &pixel);
        *covered = pixel && *pixel != 0;
    } else {
        sample(slot, &pixel);
        *covered = pixel && slot.BitCount() == 24 &&
                   !(pixel[0] == GetBValue(key) && pixel[1] == GetGValue(key) && pixel[2] == GetRValue(key));
    }
    return true;
}
} // namespace

CDIBSlot* PickSlotAt(const std::vector<std::unique_ptr<CDIBSlot>>& slots, POINT p, double sx, double sy,
                     const CDIBSlot* selected, COLORREF key) {
    for (const auto& slot : slots) {
        if (!slot || !slot->m_visible)
            continue;
        bool covered = false;
        if (Paints(*slot, p, sx, sy, &covered, key) && (covered || slot.get() == selected))
            return slot.get();
    }
    return nullptr;
}
