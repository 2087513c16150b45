// The compositor's layered picture file: the picture the layer strip and the slots show, written as a
// file, and a file read into them.

#include "controls/DIBMixer.h"

#include "composition/Picture.h"
#include "composition/PictureFile.h"
#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"

CLayerControl* CDIBMixer::FindLayerOfKey(std::uint32_t key) const {
    for (int i = 0; key && m_layerStrip && i < m_layerStrip->GetCount(); ++i)
        if (CLayerControl* layer = m_layerStrip->GetLayer(i); layer && layer->GetContentKey() == key)
            return layer;
    return nullptr;
}

BOOL CDIBMixer::SaveToLayeredFile(const char* path) {
    if (!path || !*path || !m_manager || m_canvas.IsEmpty())
        return FALSE;
    return CPictureFile::Write(path, Picture());
}

BOOL CDIBMixer::LoadFromLayeredFile(const char* path) {
    if (!path || !*path || !m_manager || !m_layerStrip || m_canvas.IsEmpty())
        return FALSE;
    CPicture picture = Picture();
    if (!CPictureFile::Read(path, m_manager->GetDIBManager(), &picture))
        return FALSE;
    // The file is good: it replaces the whole picture, and whatever the old one showed is composed anew.
    ForgetSelectedSlot();
    m_slots.clear();
    m_layerStrip->ClearAllLayers();
    ShowState(picture.GetState(), true);
    return TRUE;
}
