#pragma once
// The picture itself, apart from any window: up to ten layers, 0 the front-most, each with its content
// picture (a share of the store's, never a copy), content key, label, hidden state, text settings and the
// picture it lies on, and its place in design units; the selected layer and how its frame shows; the design
// size its places are measured in. Files, composing and the undo history's states read and write it, and
// its listeners hear of every change.

#include "composition/PictureListener.h"
#include "composition/PictureState.h"
#include "platform/WinTypes.h"
#include <vector>

// One layer: what it shows and where. Without a picture it is empty, and the rest means nothing.
struct PictureLayer : LayerState {
    SlotState place; // its key is the layer's
    // Whether it has a picture with pixels, which alone is composed and kept in a file.
    bool HasPicture() const;
    bool operator==(const PictureLayer&) const = default;
};

class CPicture {
public:
    static constexpr int maxLayers = 10;

    // size: the design units the places are measured in, the picture area's.
    explicit CPicture(SIZE size, int layers = maxLayers);

    SIZE GetSize() const { return m_size; }
    int GetLayerCount() const { return int(m_layers.size()); }
    // Layer index, 0 the front-most; an empty one for an index beyond the layers.
    const PictureLayer& GetLayer(int index) const;
    const std::vector<PictureLayer>& GetLayers() const { return m_layers; }
    // The layer whose content key is key, or -1 (always for key 0).
    int FindLayerOfKey(std::uint32_t key) const;
    // The selected layer, or -1.
    int GetSelected() const { return m_selected; }

    FrameMode GetFrame() const { return m_frame; }

    // Each edit tells the listeners what it changed, then that it is done; one that changes nothing tells
    // nothing. Layer index becomes layer (nothing for an index beyond the layers); its place takes its key.
    void SetLayer(int index, PictureLayer layer);
    // Every layer empty, none selected: the whole picture replaced.
    void Clear();
    // index selected (-1 or one beyond the layers: none), its frame in mode frame.
    void Select(int index, FrameMode frame = FrameMode::none);

    // The picture as the undo history keeps it, and back: the places of the layers in composing order.
    // Setting it is one edit, a replacement of the whole picture when replaced says so.
    CPictureState GetState() const;
    void SetState(const CPictureState& state, bool replaced = false);

    // Who hears of every change from now on, until removed; not owned, and not copied with the picture.
    void AddListener(CPictureListener* listener);
    void RemoveListener(CPictureListener* listener);

private:
    // Listeners belong to one picture: a copy starts without any.
    struct Listeners {
        Listeners() = default;
        Listeners(const Listeners&) {}
        Listeners& operator=(const Listeners&) { return *this; }
        std::vector<CPictureListener*> list;
    };
    // Puts layer at index and tells what differs; true when anything did.
    bool Put(int index, PictureLayer layer);
    bool Choose(int index, FrameMode frame);
    void Tell(int index, LayerChange what) const;
    void Done(bool changed, bool replaced) const;

    SIZE m_size;
    std::vector<PictureLayer> m_layers;
    int m_selected = -1;
    FrameMode m_frame = FrameMode::none;
    Listeners m_listeners;
};
