// Texts that lie on a picture go with it: dragging, stretching or mirroring the picture keeps each text at
// its place on it, while a text dragged alone moves alone.

#include "controls/DIBMixer.h"

#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"

#include <cmath>

namespace {
// Where a point at offset of a span that started at from and was length long lies once the span starts at
// to and is newLength long: at the same share of it, so that a mirrored span mirrors the point too.
double Follow(double offset, double from, double length, double to, double newLength) {
    return length == 0 ? to + (offset - from) : to + (offset - from) / length * newLength;
}
} // namespace

std::vector<CDIBSlot*> CDIBMixer::AttachedTexts(const CDIBSlot& slot) const {
    std::vector<CDIBSlot*> texts;
    if (!m_layerStrip)
        return texts;
    for (int i = 0; i < m_layerStrip->GetCount(); ++i) {
        const CLayerControl* layer = m_layerStrip->GetLayer(i);
        CDIBSlot* text = layer && layer->GetAttachedTo() == slot.m_key && layer->GetText()
                             ? FindDibSlot(layer->GetContentKey())
                             : nullptr;
        if (text && text != &slot)
            texts.push_back(text);
    }
    return texts;
}

void CDIBMixer::MoveAttachedTexts(const SlotState& was, const CDIBSlot& slot, RECT* swept) {
    if (!m_layerStrip || !swept)
        return;
    // Each step starts from where all were when the drag began, so that rounding does not add up.
    if (!m_dragStart) {
        m_dragStart = was;
        m_attachedStarts.clear();
        for (const CDIBSlot* text : AttachedTexts(slot))
            m_attachedStarts.push_back(text->GetPlace());
    }
    const SlotState& from = *m_dragStart;
    for (const SlotState& start : m_attachedStarts) {
        CDIBSlot* text = FindDibSlot(start.key);
        if (!text)
            continue;
        const double middleX = start.x + start.width / 2.0, middleY = start.y + start.height / 2.0;
        const double x = Follow(middleX, from.x, from.width, slot.m_x, slot.m_width);
        const double y = Follow(middleY, from.y, from.height, slot.m_y, slot.m_height);
        RECT area = AreaOf(*text);
        UnionRect(*swept, *swept, area);
        text->m_x = std::int32_t(std::lround(x - start.width / 2.0));
        text->m_y = std::int32_t(std::lround(y - start.height / 2.0));
        area = AreaOf(*text);
        UnionRect(*swept, *swept, area);
    }
}

void CDIBMixer::EndAttachedMove() {
    m_dragStart.reset();
    m_attachedStarts.clear();
}
