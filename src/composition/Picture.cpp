#include "composition/Picture.h"

#include "imaging/DIB.h"
#include <algorithm>

bool PictureLayer::HasPicture() const {
    return picture && !picture->IsEmpty() && picture->GetSize() != 0;
}

CPicture::CPicture(SIZE size, int layers) : m_size(size), m_layers(std::size_t(std::max(layers, 0))) {}

const PictureLayer& CPicture::GetLayer(int index) const {
    static const PictureLayer empty;
    return index >= 0 && index < GetLayerCount() ? m_layers[std::size_t(index)] : empty;
}

int CPicture::FindLayerOfKey(std::uint32_t key) const {
    for (int i = 0; key && i < GetLayerCount(); ++i)
        if (m_layers[std::size_t(i)].key == key)
            return i;
    return -1;
}

void CPicture::SetLayer(int index, PictureLayer layer) {
    Done(Put(index, std::move(layer)), false);
}

void CPicture::Clear() {
    bool changed = false;
    for (int i = 0; i < GetLayerCount(); ++i)
        changed |= Put(i, {});
    changed |= Choose(-1, FrameMode::none);
    Done(changed, true);
}

void CPicture::Select(int index, FrameMode frame) {
    Done(Choose(index, frame), false);
}

CPictureState CPicture::GetState() const {
    CPictureState state;
    state.selectedLayer = m_selected;
    state.frame = m_frame;
    for (const PictureLayer& layer : m_layers) {
        state.layers.push_back(layer);
        if (layer.HasPicture())
            state.slots.push_back(layer.place);
    }
    return state;
}

void CPicture::SetState(const CPictureState& state, bool replaced) {
    bool changed = false;
    for (std::size_t i = 0; i < m_layers.size(); ++i) {
        PictureLayer layer;
        if (i < state.layers.size()) {
            layer.LayerState::operator=(state.layers[i]);
            for (const SlotState& slot : state.slots)
                if (layer.picture && slot.key == layer.key)
                    layer.place = slot;
        }
        changed |= Put(int(i), std::move(layer));
    }
    changed |= Choose(state.selectedLayer, state.frame);
    Done(changed, replaced);
}

void CPicture::AddListener(CPictureListener* listener) {
    if (listener &&
        std::find(m_listeners.list.begin(), m_listeners.list.end(), listener) == m_listeners.list.end())
        m_listeners.list.push_back(listener);
}

void CPicture::RemoveListener(CPictureListener* listener) {
    std::erase(m_listeners.list, listener);
}

bool CPicture::Put(int index, PictureLayer layer) {
    if (index < 0 || index >= GetLayerCount())
        return false;
    layer.place.key = layer.key;
    PictureLayer& old = m_layers[std::size_t(index)];
    const bool content = !(old.picture == layer.picture) || old.key != layer.key || old.label != layer.label;
    const bool place = old.place != layer.place;
    const bool hidden = old.hidden != layer.hidden;
    const bool text = old.text != layer.text || old.attachedTo != layer.attachedTo;
    old = std::move(layer);
    if (content)
        Tell(index, LayerChange::content);
    if (place)
        Tell(index, LayerChange::place);
    if (hidden)
        Tell(index, LayerChange::hidden);
    if (text)
        Tell(index, LayerChange::text);
    return content || place || hidden || text;
}

bool CPicture::Choose(int index, FrameMode frame) {
    if (index < 0 || index >= GetLayerCount())
        index = -1;
    if (index == m_selected && frame == m_frame)
        return false;
    m_selected = index;
    m_frame = frame;
    for (CPictureListener* listener : m_listeners.list)
        listener->OnSelectionChanged(index);
    return true;
}

void CPicture::Tell(int index, LayerChange what) const {
    for (CPictureListener* listener : m_listeners.list)
        listener->OnLayerChanged(index, what);
}

void CPicture::Done(bool changed, bool replaced) const {
    if (changed)
        for (CPictureListener* listener : m_listeners.list)
            listener->OnChangesDone(replaced);
}
