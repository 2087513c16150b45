// The compositor's layered picture file: saving every slot with its layer's pictures, and reading a file
// back into the layer strip and the slots.

#include "composition/DIBMixer.h"

#include "composition/LayeredFile.h"
#include "controls/ButtonControl.h"
#include "controls/ContentKey.h"
#include "controls/LayerControl.h"
#include "controls/LayerLabel.h"
#include "controls/LayerStrip.h"
#include "platform/Cursor.h"
#include "platform/File.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/UserDataFolder.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {
// The caller tells the user, in the user's language, that the file could not be read or written; why
// is for whoever reads standard error.
void TellFileError(const std::string& what, const CFileException& error) {
    std::fprintf(stderr, "quimble: Error: %s: %s\n", what.c_str(), std::strerror(error.m_lOsError));
}

// What the file keeps of a slot: its placement and flags, and the names of its layer's pictures.
LayeredRecord RecordOf(const CDIBSlot& slot) {
    LayeredRecord r;
    r.key = slot.m_key;
    r.x = slot.m_x;
    r.y = slot.m_y;
    r.width = slot.m_width;
    r.height = slot.m_height;
    r.stretchMode = slot.GetStretchMode();
    r.mirrorHorizontal = slot.GetMirrorHorizontal() != 0;
    r.mirrorVertical = slot.GetMirrorVertical() != 0;
    r.visible = slot.m_visible != 0;
    r.noImage = slot.IsEmpty() || !slot.m_source;
    if (const CDIB* source = slot.m_source) {
        r.imageName = source->GetName();
        if (const CDIB* alpha = source->GetAlpha()) {
            r.hasAlpha = true;
            r.alphaName = alpha->GetName();
        }
    }
    return r;
}

// Gives layer the entry's picture with key, its hide toggle set as the record says and its label from
// the picture's name. False (the picture is dropped) when the layer cannot take it.
bool FillLayer(CLayerControl& layer, std::unique_ptr<CDIB> image, std::uint32_t key,
               const LayeredRecord& record) {
    if (!layer.PutContent(std::move(image), key,
                          PictureLabel(record.imageName, IsInUserDataFolder(record.imageName))))
        return false;
    layer.SetHidden(!record.visible);
    return true;
}

// A slot for layer's new content, placed and flagged as the record says; none after an error box.
std::unique_ptr<CDIBSlot> SlotOf(CLayerControl& layer, std::uint32_t key, const LayeredRecord& record) {
    std::unique_ptr<CDIBSlot> slot(new (std::nothrow) CDIBSlot);
    if (!slot) {
        AfxMessageBox("Error: CDIBMixer::LoadFromLayeredFile() could not add generate a dibslot");
        return nullptr;
    }
    if (!slot->CreateFromLayerDib(layer.GetImage(), key)) {
        AfxMessageBox(
            "Error: CDIBMixer::LoadFromLayeredFile() could not add create a dibslot from a layer's dib");
        return nullptr;
    }
    slot->SetPlace({key, record.x, record.y, record.width, record.height, record.stretchMode,
                    record.mirrorHorizontal, record.mirrorVertical});
    slot->m_visible = record.visible;
    return slot;
}
} // namespace

CLayerControl* CDIBMixer::FindLayerOfKey(std::uint32_t key) const {
    for (int i = 0; key && m_layerStrip && i < m_layerStrip->GetCount(); ++i)
        if (CLayerControl* layer = m_layerStrip->GetLayer(i); layer && layer->GetContentKey() == key)
            return layer;
    return nullptr;
}

std::vector<LayeredExtras> CDIBMixer::ExtrasOf(const std::vector<const CDIBSlot*>& written) const {
    std::vector<LayeredExtras> extras(written.size());
    for (std::size_t f = 0; f < written.size(); ++f) {
        const CLayerControl* layer = FindLayerOfKey(written[f]->m_key);
        if (!layer || !layer->GetText())
            continue;
        extras[f].text = layer->GetText();
        for (std::size_t under = 0; under < written.size(); ++under)
            if (layer->GetAttachedTo() && written[under]->m_key == layer->GetAttachedTo())
                extras[f].attachedTo = int(under);
    }
    return extras;
}

BOOL CDIBMixer::SaveToLayeredFile(const char* path) {
    if (!path || !*path || !m_manager || m_canvas.IsEmpty())
        return FALSE;
    CFile file;
    CFileException error(CFileException::none, path);
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
        TellFileError("failed to open file <" + std::string(path) + "> for writing", error);
        return FALSE;
    }
    try {
        std::vector<const CDIBSlot*> written;
        for (auto slot = m_slots.rbegin(); slot != m_slots.rend(); ++slot)
            if (*slot)
                written.push_back(slot->get());
        CLayeredFile::WriteHeader(&file, std::int32_t(written.size()));
        for (const CDIBSlot* slot : written) {
            if (!CLayeredFile::WriteEntry(&file, RecordOf(*slot), slot->m_source)) {
                file.Abort();
                return FALSE;
            }
        }
        CLayeredExtensions::Write(&file, ExtrasOf(written));
        file.Close();
        return TRUE;
    } catch (const CFileException& e) {
        TellFileError("failed to write file <" + std::string(path) + ">", e);
        file.Abort();
        return FALSE;
    }
}

BOOL CDIBMixer::LoadFromLayeredFile(const char* path) {
    if (!path || !*path || !m_manager || !m_layerStrip || m_canvas.IsEmpty())
        return FALSE;
    CFile file;
    CFileException error(CFileException::none, path);
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        TellFileError("failed to open file <" + std::string(path) + "> for reading", error);
        return FALSE;
    }
    const int layers = m_layerStrip->GetCount();
    CLayeredFile layered;
    ShowWaitCursor();
    const CLayeredFile::ReadResult result = layered.Read(&file, layers);
    ShowArrowCursor();
    file.Abort(); // only read from: nothing to finish
    if (result != CLayeredFile::ReadResult::read)
        return FALSE;

    // The file is good: it replaces the whole picture. The first entry goes to the back-most layer.
    ForgetSelectedSlot();
    m_slots.clear();
    m_layerStrip->ClearAllLayers();
    std::vector<LayeredEntry>& entries = layered.GetEntries();
    std::vector<std::uint32_t> keys(entries.size(), 0);
    for (std::size_t f = 0; f < entries.size(); ++f) {
        LayeredEntry& entry = entries[f];
        if (entry.record.noImage)
            continue;
        CLayerControl* layer = m_layerStrip->GetLayer(layers - 1 - int(f));
        if (!layer)
            break;
        const std::uint32_t key = NewContentKey();
        if (!FillLayer(*layer, std::move(entry.image), key, entry.record))
            continue;
        keys[f] = key;
        std::unique_ptr<CDIBSlot> slot = SlotOf(*layer, key, entry.record);
        if (!slot)
            continue;
        try {
            m_slots.push_back(std::move(slot));
        } catch (const std::bad_alloc&) {
            AfxMessageBox("Error: CDIBMixer::LoadFromLayeredFile() could not add a dibslot to the dibslots");
        }
    }
    // Texts once every entry has its key, for the pictures they lie on.
    for (std::size_t f = 0; f < entries.size(); ++f) {
        const LayeredExtras& extras = entries[f].extras;
        CLayerControl* layer = keys[f] ? FindLayerOfKey(keys[f]) : nullptr;
        if (layer && extras.text)
            layer->SetText(extras.text, extras.attachedTo >= 0 ? keys[std::size_t(extras.attachedTo)] : 0);
    }
    m_layerStrip->UpdateButtons();
    // Whatever the old picture showed is gone, so all of it is composed anew.
    RECT changed{};
    UpdateFromLayerStrip(&changed);
    ComposeCanvas(nullptr, TRUE, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
    Draw(nullptr);
    return TRUE;
}
