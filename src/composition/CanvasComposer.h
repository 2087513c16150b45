#pragma once
// Composes the slots of the picture, back to front, into the 24-bit canvas: each slot is stretched
// (nearest neighbour) to its place in canvas pixels and put over what lies behind it through its
// source's alpha companion, or with a key colour when it has none. Slot 0 is the front-most.
//
// Per call, the plan works out each slot's rows, columns and column map once. Per row, the coverage
// runs of the slots on it are read front to back, so that whatever an opaque run in front hides is
// neither read nor painted; then the pieces left are painted back to front by the pixel kernels. The
// result is the same, byte for byte, as putting every slot's pixels over the background one after the
// other.
//
// While a drag lasts, the columns that opaque runs of the layers in front of every slot it moves decide do
// not change: as long as those layers stay as they were at the last composition, a partial composition
// leaves those columns of the canvas as they are and paints the rest. Each slot that moves bounds them, not
// only the dragged one: a composition that does not reach a moved text's new place (a drag recomposed only
// at its button-up) would otherwise mark the text as painted where it never was.

#include "composition/ComposePlan.h"
#include "composition/CoverageRuns.h"
#include "composition/PixelKernels.h"
#include <cstddef>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class CDIB;
class CDIBSlot;

class CCanvasComposer {
public:
    // blendTable: the 64 KB product table, or null to compute the same products directly. kernels: the
    // set of pixel kernels to use (the fastest this build has unless a test picks another).
    explicit CCanvasComposer(const BYTE* blendTable = nullptr, KernelSet kernels = KernelSets().back())
        : m_table(blendTable), m_kernels(kernels), m_runs(kernels) {}
    void SetBlendTable(const BYTE* blendTable) { m_table = blendTable; }
    // From now on (until EndDrag) moving are the slots that move: the dragged one and those that go with
    // it. Only their pointers are kept, to find them among the slots.
    void BeginDrag(std::vector<const CDIBSlot*> moving);
    void EndDrag();

    // Composes into canvas (24-bit) with the scale factors sx, sy from design units to canvas pixels.
    // rect, in design units, is normalised and scaled to canvas pixels in place and gives the update
    // area; null means the whole canvas. Only the update area's rows are touched. On such a row without
    // slots, the update area's columns become background. On such a row with slots, the update area's
    // columns are recomposed; and if the update area holds a column, other than column 0, at least two
    // past the last column of every slot on the row, the row turns to background from the update area's
    // first column past those slots up to the canvas's right edge, beyond the update area too. Without
    // any slots the whole canvas becomes background. blend off leaves partly transparent pixels out. key
    // applies to slots without an alpha companion.
    void Compose(CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy,
                 RECT* rect, bool blend, COLORREF key, COLORREF background);

private:
    // A layer on the current row, and the indices of its pieces there.
    struct Active {
        CComposePlan::Layer* layer;
        std::pair<std::size_t, std::size_t> pieces;
    };

    // What the layers in front of the moving ones, and the composition, were like: the columns they
    // decide are kept only while this stays the same.
    struct SlotMark {
        const CDIBSlot* slot;
        const BYTE* bits;
        const CDIB* alpha;
        std::int32_t x, y, width, height, visible;
        bool mirrorH, mirrorV;
        bool operator==(const SlotMark&) const = default;
    };
    struct Marks {
        const CDIB* canvas = nullptr;
        int width = 0, height = 0;
        double sx = 0, sy = 0;
        bool blend = false;
        COLORREF key = 0, background = 0;
        std::vector<SlotMark> front;
        bool operator==(const Marks&) const = default;
    };
    // How many slots, from the front-most on, are the layers whose decided columns this composition keeps
    // (0: none). Remembers this composition's marks.
    std::size_t KeptFront(const CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx,
                          double sy, bool partial, bool blend, COLORREF key, COLORREF background);
    // pieces without the kept columns.
    std::span<const CCoverageRuns::Run> Unkept(std::span<const CCoverageRuns::Run> pieces);
    void Paint(const CComposePlan::Layer& layer, std::span<const CCoverageRuns::Run> pieces,
               BYTE* canvasRow) const;

    const BYTE* m_table;
    KernelSet m_kernels;
    CComposePlan m_plan;
    CCoverageRuns m_runs;
    std::vector<Active> m_active;
    std::vector<const CDIBSlot*> m_moving;
    bool m_marked = false;
    Marks m_marks;
    std::vector<CCoverageRuns::Run> m_kept, m_unkept;
};
