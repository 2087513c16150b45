#include "composition/PictureComposer.h"

#include "composition/FlatPictureSize.h"
#include "composition/Picture.h"
#include "platform/Screen.h"
#include <algorithm>
#include <cmath>
#include <new>

namespace {
// pixels / units, raised by the least step where rounding would leave units times it short of pixels:
// else the last column or row of the picture could stay background.
double FactorOnto(LONG pixels, LONG units) {
    double factor = double(pixels) / units;
    while (double(units) * factor < pixels)
        factor = std::nextafter(factor, HUGE_VAL);
    return factor;
}
std::unique_ptr<CDIBSlot> NewSlot(const PictureLayer& layer) {
    std::unique_ptr<CDIBSlot> slot(new (std::nothrow) CDIBSlot);
    if (!slot || !slot->CreateFromLayerDib(layer.picture.get(), layer.key))
        return nullptr;
    return slot;
}
} // namespace

CPictureComposer::CPictureComposer() {
    // Without the table the composer computes the same products directly.
    if (m_blendTable.Build())
        m_composer.SetBlendTable(m_blendTable.Data());
}

SIZE CPictureComposer::FlatSize(const CPicture& picture) {
    std::vector<LayerExtent> layers;
    for (const PictureLayer& layer : picture.GetLayers())
        if (layer.HasPicture())
            layers.push_back({layer.picture->GetWidth(), layer.picture->GetHeight(), layer.place.width,
                              layer.place.height});
    return FlatPictureSize(layers, picture.GetSize());
}

int CPictureComposer::CanvasStretchMode() {
    return TestDisplayFlag(DISPLAY_PALETTE) ? HALFTONE : COLORONCOLOR;
}

void CPictureComposer::Follow(const CPicture& picture) {
    std::vector<std::unique_ptr<CDIBSlot>> slots;
    for (const PictureLayer& layer : picture.GetLayers()) {
        if (!layer.HasPicture())
            continue;
        auto kept = std::find_if(m_slots.begin(), m_slots.end(), [&](const auto& slot) {
            return slot && slot->m_key == layer.key && slot->m_source == layer.picture.get();
        });
        std::unique_ptr<CDIBSlot> slot;
        if (kept != m_slots.end())
            slot = std::move(*kept);
        else
            slot = NewSlot(layer);
        // A layer whose copy cannot be made (memory ran out) is left out, as the picture area leaves it.
        if (!slot)
            continue;
        slot->SetPlace(layer.place);
        slot->m_visible = !layer.hidden;
        slots.push_back(std::move(slot));
    }
    m_slots = std::move(slots);
}

bool CPictureComposer::ComposeAt(const CPicture& picture, SIZE size, CDIB* out) {
    const SIZE design = picture.GetSize();
    if (!out || design.cx <= 0 || design.cy <= 0 || size.cx <= 0 || size.cy <= 0 ||
        !out->Create(size.cx, size.cy, 24))
        return false;
    out->SetStretchMode(CanvasStretchMode());
    Follow(picture);
    m_composer.Compose(*out, m_slots, FactorOnto(size.cx, design.cx), FactorOnto(size.cy, design.cy), nullptr,
                       true, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
    return true;
}
