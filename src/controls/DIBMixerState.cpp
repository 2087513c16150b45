// The picture area's side of the picture: the picture shown as a value, and a value shown.

#include "controls/DIBMixer.h"

#include "composition/Picture.h"
#include "controls/ButtonControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"

namespace {
// How far beyond a slot's area a restored place is composed: its scaled edges round either way.
constexpr int restoreMargin = 2;

bool IsOn(const CButtonControl* button) {
    return button && button->IsOn();
}

void UniteArea(RECT* rect, const SlotState& slot) {
    CLayerStrip::UniteSlotArea(rect, {slot.x, slot.y, slot.width, slot.height});
}
} // namespace

CPictureState CDIBMixer::CaptureState() const {
    CPictureState state;
    if (!m_layerStrip)
        return state;
    for (int i = 0; i < m_layerStrip->GetCount(); ++i) {
        const CLayerControl* layer = m_layerStrip->GetLayer(i);
        if (!layer)
            continue;
        state.layers.push_back({layer->GetImageRef(), layer->GetContentKey(), layer->GetLabel(),
                                layer->IsHidden(), layer->GetText(), layer->GetAttachedTo()});
        if (layer == m_layerStrip->GetSelected())
            state.selectedLayer = int(state.layers.size()) - 1;
    }
    for (const auto& slot : m_slots)
        if (slot)
            state.slots.push_back(slot->GetPlace());
    if (HasSelectedSlot())
        state.frame = IsOn(m_textButton)   ? FrameMode::text
                      : IsOn(m_moveButton) ? FrameMode::move
                                           : FrameMode::none;
    return state;
}

CPicture CDIBMixer::Picture() const {
    CPicture picture({m_designRect.Width(), m_designRect.Height()},
                     m_layerStrip ? m_layerStrip->GetCount() : CPicture::maxLayers);
    picture.SetState(CaptureState());
    return picture;
}

void CDIBMixer::RestoreState(const CPictureState& state) {
    const QuietChanges quiet(this);
    ShowState(state, false);
}

void CDIBMixer::ShowPicture(const CPictureState& state, bool replaced) {
    if (!replaced || !m_layerStrip)
        return RestoreState(state);
    // Whatever the old picture showed is gone.
    ForgetSelectedSlot();
    m_slots.clear();
    m_layerStrip->ClearAllLayers();
    ShowState(state, true);
}

void CDIBMixer::ShowState(const CPictureState& state, bool whole) {
    if (!m_layerStrip)
        return;
    ForgetSelectedSlot();
    for (int i = 0; i < m_layerStrip->GetCount(); ++i) {
        CLayerControl* layer = m_layerStrip->GetLayer(i);
        if (!layer)
            continue;
        const LayerState* wanted =
            std::size_t(i) < state.layers.size() ? &state.layers[std::size_t(i)] : nullptr;
        if (!wanted || !wanted->picture) {
            if (layer->GetImage() || layer->GetContentKey())
                layer->ClearImage();
            continue;
        }
        if (layer->GetContentKey() != wanted->key || !(layer->GetImageRef() == wanted->picture))
            layer->PutContent(wanted->picture, wanted->key, wanted->label);
        if (layer->GetText() != wanted->text || layer->GetAttachedTo() != wanted->attachedTo)
            layer->SetText(wanted->text, wanted->attachedTo);
        if (layer->IsHidden() != wanted->hidden)
            layer->SetHidden(wanted->hidden);
    }
    // Slots for what came back, then their places as they were; what moved is composed where it was and
    // where it is now.
    RECT changed{};
    UpdateFromLayerStrip(&changed);
    for (const SlotState& wanted : state.slots) {
        CDIBSlot* slot = FindDibSlot(wanted.key);
        if (!slot)
            continue;
        const SlotState now = slot->GetPlace();
        if (now == wanted)
            continue;
        UniteArea(&changed, now);
        UniteArea(&changed, wanted);
        slot->SetPlace(wanted);
    }
    if (!IsRectEmpty(changed))
        InflateRect(changed, restoreMargin, restoreMargin);

    CLayerControl* selected =
        state.selectedLayer >= 0 ? m_layerStrip->GetLayer(state.selectedLayer) : nullptr;
    if (selected)
        m_layerStrip->Select(selected);
    m_layerStrip->UpdateButtons();
    CButtonControl* mode = state.frame == FrameMode::move   ? m_moveButton
                           : state.frame == FrameMode::text ? m_textButton
                                                            : nullptr;
    if (mode && selected && SelectSlotOfKey(selected->GetContentKey()))
        mode->SetOn(true);
    ComposeCanvas(whole ? nullptr : &changed, TRUE, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
    Draw(nullptr);
}
