#pragma once
// What one composition works out before it paints: for every visible slot, its rows and columns on the
// canvas, its column map (the picture and alpha byte of every canvas column it paints) and the first
// canvas column that reads each mask column; then, row by row, the stored rows each slot reads there.

#include "composition/PixelKernels.h"
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CDIBSlot;

class CComposePlan {
public:
    // Steps q = k * size / count for k = k0, k0 + 1, ... without dividing at each step.
    struct Stepper {
        void Start(std::int64_t k, std::int64_t size, std::int64_t count);
        // Without a branch: the carry follows no pattern the processor could predict.
        void Next() {
            r += stepR;
            const bool carry = r >= count;
            q += stepQ + carry;
            r -= carry ? count : 0;
        }
        std::int64_t q = 0, r = 0, stepQ = 0, stepR = 0, count = 1;
    };
    // One pixel plane of a picture: its first stored row and its geometry.
    struct Plane {
        const BYTE* bits = nullptr;
        DWORD stride = 0;
        int width = 0;
        int height = 0;
        int bitCount = 0;
    };
    struct Layer {
        std::size_t slot; // its index in the slots
        std::int64_t rowStart, rowCount, colStart, colCount, colEnd;
        bool paints;                 // has pixels that can be addressed and columns inside the update area
        int spanBegin, spanEnd;      // canvas columns it paints inside the update area
        std::size_t firstColumn;     // its column map in m_columns
        std::size_t firstMaskColumn; // its map from mask columns to canvas columns in m_maskColumns
        Plane image, alpha;          // alpha without bits: key colour
        bool mirrorH, mirrorV;
        bool contiguous; // its picture columns follow the canvas columns one to one
        bool rowsStarted;
        Stepper imageRow, alphaRow;
        const BYTE* imageBits; // the stored rows for the current canvas row
        const BYTE* alphaBits;
        const BYTE* nextImageBits; // the picture's stored row for the next canvas row, if it has one
    };

    // v × s truncated toward zero, kept within a bound that no product of a coordinate and a picture
    // size overflows, whatever a stored slot holds.
    static std::int64_t Scale(std::int64_t v, double s);
    // The byte offset of column x in a stored row, as pixel addressing gives it; -1 for bit counts it
    // cannot address.
    static std::int64_t ColumnOffset(std::int64_t x, int bitCount) {
        switch (bitCount) {
        case 1:
            return x / 8;
        case 4:
            return x / 2;
        case 8:
            return x;
        case 16:
            return 2 * x;
        case 24:
            return 3 * x;
        default:
            return -1;
        }
    }

    // Plans the visible slots with the scale factors sx, sy for the columns left..right-1 of the update
    // area. Throws std::bad_alloc when the maps cannot be had.
    void Make(const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy, int left, int right);
    std::vector<Layer>& Layers() { return m_layers; }

    // Moves a painting layer to canvas row j, one of its rows, each after the one before: the stored rows
    // it reads there. The rows it reads for the next canvas row are asked for ahead.
    void EnterRow(Layer& layer, std::int64_t j) const;
    // A painting layer's column map, from its first canvas column (spanBegin) on.
    const SourceColumn* Columns(const Layer& layer) const { return m_columns.data() + layer.firstColumn; }
    // The first canvas column (within spanBegin..spanEnd) that reads mask column a or beyond, for a from 0
    // to the mask's width.
    const int* MaskColumns(const Layer& layer) const { return m_maskColumns.data() + layer.firstMaskColumn; }

private:
    // Appends the column map and the mask-column map of a painting layer at its firstColumn and
    // firstMaskColumn. The layer comes as a copy: the maps' stores could otherwise reach its fields for all
    // the compiler knows, and the loops would read them again at every column.
    void MapColumns(const Layer layer, bool hasAlpha);

    std::vector<Layer> m_layers;
    std::vector<SourceColumn> m_columns;
    std::vector<int> m_maskColumns;
};

inline void CComposePlan::EnterRow(Layer& layer, std::int64_t j) const {
    // A layer's rows are consecutive, so after its first row each row is one step further.
    if (!layer.rowsStarted) {
        layer.imageRow.Start(j - layer.rowStart, layer.image.height, layer.rowCount);
        layer.alphaRow.Start(j - layer.rowStart, layer.alpha.height, layer.rowCount);
        layer.rowsStarted = true;
    } else {
        layer.imageRow.Next();
        layer.alphaRow.Next();
    }
    auto storedRow = [&](const Plane& plane, std::int64_t y) {
        return plane.bits + std::size_t(layer.mirrorV ? y : plane.height - 1 - y) * plane.stride;
    };
    layer.imageBits = storedRow(layer.image, layer.imageRow.q);
    layer.alphaBits = layer.alpha.bits ? storedRow(layer.alpha, layer.alphaRow.q) : nullptr;

    // The stored rows of the next canvas row are asked for now, so that reading them does not start by
    // waiting for memory: the companion's over the whole span here, the picture's under each piece as
    // it is painted.
    layer.nextImageBits = nullptr;
    if (j + 1 < layer.rowStart + layer.rowCount) {
        Stepper nextImage = layer.imageRow, nextAlpha = layer.alphaRow;
        nextImage.Next();
        nextAlpha.Next();
        layer.nextImageBits = storedRow(layer.image, nextImage.q);
        if (layer.alpha.bits) {
            const SourceColumn* columns = Columns(layer);
            const auto [first, last] =
                std::minmax(columns[0].alpha, columns[layer.spanEnd - layer.spanBegin - 1].alpha);
            Prefetch(storedRow(layer.alpha, nextAlpha.q), first, last);
        }
    }
}
