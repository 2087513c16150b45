// The compositor's side of the layer strip: one slot per layer with content, found by content key,
// brought in line with the strip before each compose; and the selected slot.

#include "controls/DIBMixer.h"

#include "controls/ButtonControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/Modal.h"
#include <algorithm>
#include <cmath>
#include <new>

namespace {
// A picture larger than the picture area (width x height design units; a photograph of the user's) comes
// fitted into it, in its proportions, so that all of it shows; every content picture fits as it is.
void FitInto(CDIBSlot& slot, LONG width, LONG height) {
    const double fit = std::min(
        {1.0, double(width) / std::max(slot.m_width, 1), double(height) / std::max(slot.m_height, 1)});
    if (fit >= 1 || fit <= 0)
        return;
    slot.m_width = std::max<std::int32_t>(1, std::int32_t(std::lround(slot.m_width * fit)));
    slot.m_height = std::max<std::int32_t>(1, std::int32_t(std::lround(slot.m_height * fit)));
}

// A background covers the picture area (width x height design units) whole, in its proportions, centred:
// what reaches past the area is cut by it.
void Cover(CDIBSlot& slot, LONG width, LONG height) {
    const int w = slot.GetWidth(), h = slot.GetHeight();
    if (w <= 0 || h <= 0 || width <= 0 || height <= 0)
        return;
    const double scale = std::max(double(width) / w, double(height) / h);
    // Rounded up, so that no column or row of the area is left out.
    slot.m_width = std::max<std::int32_t>(width, std::int32_t(std::ceil(w * scale - 1e-9)));
    slot.m_height = std::max<std::int32_t>(height, std::int32_t(std::ceil(h * scale - 1e-9)));
    slot.m_x = -((slot.m_width - width) / 2);
    slot.m_y = -((slot.m_height - height) / 2);
}

// Grows rect by the area the slot covers.
void Unite(RECT* rect, const CDIBSlot& slot) {
    CLayerStrip::UniteSlotArea(rect, slot.GetPlacement());
}
} // namespace

RECT CDIBMixer::AreaOf(const CDIBSlot& slot) {
    RECT area{};
    CLayerStrip::UniteSlotArea(&area, slot.GetPlacement());
    return area;
}

BOOL CDIBMixer::AddDibSlot(std::unique_ptr<CDIBSlot> slot) {
    if (!slot)
        return FALSE;
    try {
        m_slots.push_back(std::move(slot));
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Error: could not add a dibslot to the dibmixer");
        return FALSE;
    }
    return TRUE;
}

CDIBSlot* CDIBMixer::FindDibSlot(std::uint32_t key, int* index) const {
    if (key == 0)
        return nullptr;
    // Places are empty only while the slots follow the strip.
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i] && m_slots[i]->m_key == key) {
            if (index)
                *index = int(i);
            return m_slots[i].get();
        }
    }
    return nullptr;
}

void CDIBMixer::SelectDibSlot(CDIBSlot* slot) {
    // The frame already shows where it should: nothing to compose again.
    if (slot && slot == m_selectedSlot && HasSelectedSlot())
        return;
    if (slot) {
        m_selectedSlot = slot;
        m_flags |= CMX_SLOT_SELECTED;
    } else {
        ForgetSelectedSlot();
    }
    Recompose(TRUE);
}

void CDIBMixer::ForgetSelectedSlot() {
    m_selectedSlot = nullptr;
    SwitchOff(m_moveButton);
    SwitchOff(m_textButton);
    m_flags &= ~CMX_SLOT_SELECTED;
}

bool CDIBMixer::SelectSlotOfKey(std::uint32_t key) {
    CDIBSlot* slot = FindDibSlot(key);
    if (!slot)
        return false;
    SelectDibSlot(slot);
    return true;
}

bool CDIBMixer::FindSlotPlacement(std::uint32_t key, SlotPlacement* placement) const {
    const CDIBSlot* slot = FindDibSlot(key);
    if (!slot || !placement)
        return false;
    *placement = slot->GetPlacement();
    return true;
}

void CDIBMixer::Recompose(BOOL blend) {
    RECT changed{};
    UpdateFromLayerStrip(&changed);
    ComposeCanvas(&changed, blend, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
    Draw(nullptr);
    if (m_observer && m_quiet == 0)
        m_observer->OnPictureComposed();
}

BOOL CDIBMixer::UpdateFromLayerStrip(RECT* rect) {
    if (!m_layerStrip)
        return FALSE;
    RECT ignored{};
    if (!rect)
        rect = &ignored;
    // Every area united below shows something else now: that is a change of the picture.
    bool changed = false;
    const auto unite = [rect, &changed](const CDIBSlot& slot) {
        Unite(rect, slot);
        changed = true;
    };
    std::vector<std::unique_ptr<CDIBSlot>> kept;
    for (int i = 0; i < m_layerStrip->GetCount(); ++i) {
        CLayerControl* layer = m_layerStrip->GetLayer(i);
        if (!layer)
            continue;
        if (layer->IsChanged()) {
            changed |= m_layerStrip->UniteLayerArea(rect, layer);
            layer->ClearChanged();
        }
        if (layer->GetContentKey() == 0)
            continue;
        std::unique_ptr<CDIBSlot> slot = TakeDibSlot(layer->GetContentKey());
        if (!slot) {
            slot = MakeDibSlot(*layer);
            if (!slot)
                continue;
            if (slot->m_key == m_coverKey)
                Cover(*slot, m_designRect.Width(), m_designRect.Height());
            else
                FitInto(*slot, m_designRect.Width(), m_designRect.Height());
            unite(*slot);
        }
        const std::int32_t shown = layer->IsShown() ? 1 : 0;
        if (slot->m_visible != shown) {
            unite(*slot);
            slot->m_visible = shown;
        }
        if (slot->m_changed) {
            RECT area = slot->m_changedArea;
            NormalizeRect(area);
            changed = true;
            if (IsRectEmpty(area)) {
                Unite(rect, *slot);
            } else {
                RECT current = *rect;
                NormalizeRect(current);
                UnionRect(*rect, current, area);
            }
            slot->m_changed = 0;
            slot->m_changedArea = {};
        }
        try {
            kept.push_back(std::move(slot));
        } catch (const std::bad_alloc&) {
            AfxMessageBox(
                "Error: CDIBMixer::UpdateFromLayerStrip() could not add a dibslot to the temporary dibslots");
            if (slot.get() == m_selectedSlot)
                ForgetSelectedSlot();
        }
    }
    // What is left lost its layer: its area shows something else now.
    for (const auto& slot : m_slots) {
        if (!slot)
            continue;
        unite(*slot);
        if (slot.get() == m_selectedSlot)
            ForgetSelectedSlot();
    }
    // The slots were all taken out or dropped, so the kept ones become the slots as they are, in order.
    m_slots = std::move(kept);
    if (changed && m_observer)
        m_observer->OnPictureChanged();
    return TRUE;
}

std::unique_ptr<CDIBSlot> CDIBMixer::TakeDibSlot(std::uint32_t key) {
    int index = 0;
    if (!FindDibSlot(key, &index))
        return nullptr;
    return std::move(m_slots[std::size_t(index)]);
}

std::unique_ptr<CDIBSlot> CDIBMixer::MakeDibSlot(const CLayerControl& layer) {
    std::unique_ptr<CDIBSlot> slot(new (std::nothrow) CDIBSlot);
    if (!slot) {
        AfxMessageBox("Error: CDIBMixer::UpdateFromLayerStrip() could not add generate a dibslot");
        return nullptr;
    }
    if (!slot->CreateFromLayerDib(layer.GetImage(), layer.GetContentKey())) {
        AfxMessageBox(
            "Error: CDIBMixer::UpdateFromLayerStrip() could not add create a dibslot from a layer's dib");
        return nullptr;
    }
    return slot;
}
