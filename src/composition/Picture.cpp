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
    if (index < 0 || index >= GetLayerCount())
        return;
    layer.place.key = layer.key;
    m_layers[std::size_t(index)] = std::move(layer);
}

void CPicture::Clear() {
    for (PictureLayer& layer : m_layers)
        layer = {};
    m_selected = -1;
}

void CPicture::Select(int index) {
    m_selected = index >= 0 && index < GetLayerCount() ? index : -1;
}

CPictureState CPicture::GetState() const {
    CPictureState state;
    state.selectedLayer = m_selected;
    for (const PictureLayer& layer : m_layers) {
        state.layers.push_back(layer);
        if (layer.HasPicture())
            state.slots.push_back(layer.place);
    }
    return state;
}

void CPicture::SetState(const CPictureState& state) {
    Clear();
    for (std::size_t i = 0; i < state.layers.size() && i < m_layers.size(); ++i) {
        PictureLayer layer{state.layers[i], {}};
        for (const SlotState& slot : state.slots)
            if (layer.picture && slot.key == layer.key)
                layer.place = slot;
        SetLayer(int(i), std::move(layer));
    }
    Select(state.selectedLayer);
}
