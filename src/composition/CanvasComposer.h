#pragma once
// Composes the slots of the picture, back to front, into the 24-bit canvas: each slot is stretched
// (nearest neighbour) to its place in canvas pixels and put over what lies behind it through its
// source's alpha companion, or with a key colour when it has none. Slot 0 is the front-most.
//
// Per call, each slot's rows and columns on the canvas and its column map (the picture and alpha byte
// of every canvas column) are worked out once. Per row, each slot's coverage is read as runs
// (transparent, opaque, partly transparent), front to back, so that whatever an opaque run in front
// hides is neither read nor painted; then the remaining pieces are painted back to front. The result is
// the same, byte for byte, as putting every slot's pixels over the background one after the other.

#include "platform/WinTypes.h"
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CDIB;
class CDIBSlot;

class CCanvasComposer {
public:
    // blendTable: the 64 KB product table, or null to compute the same products directly.
    explicit CCanvasComposer(const BYTE* blendTable = nullptr) : m_table(blendTable) {}
    void SetBlendTable(const BYTE* blendTable) { m_table = blendTable; }

    // Composes into canvas (24-bit) with the scale factors sx, sy from design units to canvas pixels.
    // rect, in design units, is normalised and scaled to canvas pixels in place and limits the rows and
    // columns recomposed; null means the whole canvas. Without slots the whole canvas becomes background.
    // blend off leaves partly transparent pixels out. key applies to slots without an alpha companion.
    void Compose(CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy,
                 RECT* rect, bool blend, COLORREF key, COLORREF background);

private:
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
    // Byte offsets into a stored row for one canvas column, and the mask column (of the alpha companion,
    // or of the picture with a key colour) that it reads.
    struct Column {
        std::uint32_t image;
        std::uint32_t alpha;
        std::uint32_t mask;
    };
    enum class Kind : std::uint8_t { Leave, Copy, Blend };
    // Canvas columns begin..end-1 that a slot treats alike.
    struct Run {
        int begin, end;
        Kind kind;
    };
    struct Layer {
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
        const BYTE* nextImageBits;        // the picture's stored row for the next canvas row, if it has one
        std::size_t pieceBegin, pieceEnd; // its pieces of the current canvas row in m_pieces
    };
    enum class Mix { Table, Direct };

    bool Plan(const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy, int left, int right);
    void FindPieces(Layer& layer, std::int64_t j, bool blend, const BYTE key[3]);
    void AddGap(const Layer& layer, int begin, int end, bool blend, const BYTE key[3]);
    void Cover(std::size_t from);
    void PaintPieces(const Layer& layer, BYTE* canvasRow) const;
    template <Mix mix> void BlendPiece(const Layer& layer, const Run& piece, BYTE* canvasRow) const;

    const BYTE* m_table;
    std::vector<Layer> m_layers;
    std::vector<Column> m_columns;
    std::vector<int> m_maskColumns;
    std::vector<Layer*> m_active;
    std::vector<Run> m_pieces;                 // canvas runs to paint, per layer, of the current row
    std::vector<Run> m_covered, m_coveredNext; // canvas columns an opaque run in front already decides
};
