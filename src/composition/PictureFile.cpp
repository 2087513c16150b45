#include "composition/PictureFile.h"

#include "composition/ContentKey.h"
#include "composition/LayerLabel.h"
#include "composition/Picture.h"
#include "imaging/DIBManager.h"
#include "platform/Cursor.h"
#include "platform/File.h"
#include "platform/UserDataFolder.h"

#include <cstdio>
#include <cstring>

namespace {
void TellFileError(const std::string& what, const CFileException& error) {
    std::fprintf(stderr, "quimble: Error: %s: %s\n", what.c_str(), std::strerror(error.m_lOsError));
}

// What the file keeps of a layer: its place and flags, and the names of its pictures.
LayeredRecord RecordOf(const PictureLayer& layer) {
    const SlotState& place = layer.place;
    LayeredRecord r;
    r.key = layer.key;
    r.x = place.x;
    r.y = place.y;
    r.width = place.width;
    r.height = place.height;
    r.stretchMode = place.stretchMode;
    r.mirrorHorizontal = place.mirrorHorizontal;
    r.mirrorVertical = place.mirrorVertical;
    r.visible = !layer.hidden;
    r.imageName = layer.picture->GetName();
    if (const CDIB* alpha = layer.picture->GetAlpha()) {
        r.hasAlpha = true;
        r.alphaName = alpha->GetName();
    }
    return r;
}

// The layers with content, back-most first, as the file holds them.
std::vector<const PictureLayer*> WrittenLayers(const CPicture& picture) {
    std::vector<const PictureLayer*> written;
    for (int i = picture.GetLayerCount() - 1; i >= 0; --i)
        if (picture.GetLayer(i).HasPicture())
            written.push_back(&picture.GetLayer(i));
    return written;
}

std::vector<LayeredExtras> ExtrasOf(const std::vector<const PictureLayer*>& written) {
    std::vector<LayeredExtras> extras(written.size());
    for (std::size_t f = 0; f < written.size(); ++f) {
        if (!written[f]->text)
            continue;
        extras[f].text = written[f]->text;
        for (std::size_t under = 0; under < written.size(); ++under)
            if (written[f]->attachedTo && written[under]->key == written[f]->attachedTo)
                extras[f].attachedTo = int(under);
    }
    return extras;
}
} // namespace

bool CPictureFile::Write(const std::string& path, const CPicture& picture) {
    if (path.empty())
        return false;
    CFile file;
    CFileException error(CFileException::none, path.c_str());
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
        TellFileError("failed to open file <" + path + "> for writing", error);
        return false;
    }
    try {
        const std::vector<const PictureLayer*> written = WrittenLayers(picture);
        CLayeredFile::WriteHeader(&file, std::int32_t(written.size()));
        for (const PictureLayer* layer : written) {
            if (!CLayeredFile::WriteEntry(&file, RecordOf(*layer), layer->picture.get())) {
                file.Abort();
                return false;
            }
        }
        CLayeredExtensions::Write(&file, ExtrasOf(written));
        file.Close();
        return true;
    } catch (const CFileException& e) {
        TellFileError("failed to write file <" + path + ">", e);
        file.Abort();
        return false;
    }
}

bool CPictureFile::Read(const std::string& path, CDIBManager& store, CPicture* picture,
                        std::uint64_t budget) {
    if (path.empty() || !picture)
        return false;
    CFile file;
    CFileException error(CFileException::none, path.c_str());
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error)) {
        TellFileError("failed to open file <" + path + "> for reading", error);
        return false;
    }
    const int layers = picture->GetLayerCount();
    CLayeredFile layered;
    ShowWaitCursor();
    const CLayeredFile::ReadResult result = layered.Read(&file, layers, budget);
    ShowArrowCursor();
    file.Abort(); // only read from: nothing to finish
    if (result != CLayeredFile::ReadResult::read)
        return false;

    // The file is good: it replaces the whole picture, in one edit. The first entry goes to the back-most
    // layer.
    CPicture read(picture->GetSize(), layers);
    std::vector<LayeredEntry>& entries = layered.GetEntries();
    std::vector<std::uint32_t> keys(entries.size(), 0);
    for (std::size_t f = 0; f < entries.size(); ++f) {
        const LayeredRecord& record = entries[f].record;
        if (record.noImage)
            continue;
        PictureLayer layer;
        layer.picture = store.Adopt(std::move(entries[f].image));
        if (!layer.picture)
            continue;
        layer.key = keys[f] = NewContentKey();
        layer.label = PictureLabel(record.imageName, IsInUserDataFolder(record.imageName));
        layer.hidden = !record.visible;
        layer.place = {layer.key,
                       record.x,
                       record.y,
                       record.width,
                       record.height,
                       record.stretchMode,
                       record.mirrorHorizontal,
                       record.mirrorVertical};
        read.SetLayer(layers - 1 - int(f), std::move(layer));
    }
    // Texts once every entry has its key, for the pictures they lie on.
    for (std::size_t f = 0; f < entries.size(); ++f) {
        const LayeredExtras& extras = entries[f].extras;
        const int index = read.FindLayerOfKey(keys[f]);
        if (index < 0 || !extras.text)
            continue;
        PictureLayer layer = read.GetLayer(index);
        layer.text = extras.text;
        layer.label = TextLabel(extras.text->text);
        layer.attachedTo = extras.attachedTo >= 0 ? keys[std::size_t(extras.attachedTo)] : 0;
        read.SetLayer(index, std::move(layer));
    }
    picture->SetState(read.GetState(), true);
    return true;
}
