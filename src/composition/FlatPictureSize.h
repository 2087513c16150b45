#pragma once
// The size of the flat picture (export, print, render): the picture area's own proportions, at the
// resolution of its largest layer picture, so that the same layers give the same picture whatever the
// window's size.

#include "platform/WinTypes.h"
#include <cstdint>
#include <vector>

// A layer as the size rule sees it: its picture's pixels and the design units its slot covers (either
// sign: a mirrored slot has the same size).
struct LayerExtent {
    int pictureWidth = 0, pictureHeight = 0;
    std::int64_t width = 0, height = 0;
};

// Neither side of a flat picture exceeds this, however densely a layer was squeezed: 4096 x 3031 for the
// editor's picture area, about 37 MB at 24 bits.
constexpr int flatPictureLongestSide = 4096;

// design (in design units) at the pixels per unit of the layer whose picture has the most pixels (its
// denser axis, so that picture is not shrunk), never below one pixel per unit and with its longest side
// at most flatPictureLongestSide. 0 x 0 for an empty design size.
SIZE FlatPictureSize(const std::vector<LayerExtent>& layers, SIZE design);
