#pragma once
// Everything a user can change of the picture, as a value: per layer its picture (a share, never a copy),
// content key, label, hidden state and, for a text layer, what it was drawn from and the picture it lies
// on; per slot its place, size, mirror flags and stretch mode; the selected layer and which frame shows. Two
// states show the same picture when all but the selection agree.

#include "composition/LayerText.h"
#include "imaging/DIBRef.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LayerState {
    CDIBRef picture;
    std::uint32_t key = 0;
    std::string label;
    bool hidden = false;
    std::optional<LayerText> text;
    std::uint32_t attachedTo = 0; // the content key of the picture a text lies on
    bool operator==(const LayerState&) const = default;
};

struct SlotState {
    std::uint32_t key = 0;
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    int stretchMode = 0;
    bool mirrorHorizontal = false, mirrorVertical = false;
    bool operator==(const SlotState&) const = default;
};

// Which mode button shows the selection frame.
enum class FrameMode { none, move, text };

struct CPictureState {
    std::vector<LayerState> layers; // in the strip's order: 0 is the front-most
    std::vector<SlotState> slots;   // in composing order: 0 is the front-most
    int selectedLayer = -1;
    FrameMode frame = FrameMode::none;

    bool SamePicture(const CPictureState& other) const {
        return layers == other.layers && slots == other.slots;
    }
};
