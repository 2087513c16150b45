#include "composition/FlatPictureSize.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

SIZE FlatPictureSize(const std::vector<LayerExtent>& layers, SIZE design) {
    if (design.cx <= 0 || design.cy <= 0)
        return {0, 0};
    double density = 1;
    std::int64_t largest = 0;
    for (const LayerExtent& layer : layers) {
        const std::int64_t pixels = std::int64_t(layer.pictureWidth) * layer.pictureHeight;
        if (layer.pictureWidth <= 0 || layer.pictureHeight <= 0 || layer.width == 0 || layer.height == 0)
            continue;
        const double its = std::max(double(layer.pictureWidth) / double(std::llabs(layer.width)),
                                    double(layer.pictureHeight) / double(std::llabs(layer.height)));
        // Of two pictures as large, the one shown denser decides.
        if (pixels > largest || (pixels == largest && its > density)) {
            largest = pixels;
            density = std::max(1.0, its);
        }
    }
    density = std::min(density, double(flatPictureLongestSide) / std::max(design.cx, design.cy));
    const auto side = [density](LONG units) {
        return LONG(std::clamp<long>(std::lround(units * density), 1, flatPictureLongestSide));
    };
    return {side(design.cx), side(design.cy)};
}
