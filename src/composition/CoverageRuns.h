#pragma once
// The coverage of one canvas row, layer by layer from front to back: each layer's mask is read as runs
// (transparent, opaque, partly transparent), and the columns that an opaque run in front already decides
// are kept, so that what it hides is neither read nor painted. What is left of each layer are its pieces:
// canvas runs to copy or to blend.

#include "composition/ComposePlan.h"
#include "composition/PixelKernels.h"
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class CCoverageRuns {
public:
    enum class Kind : std::uint8_t { Leave, Copy, Blend };
    // Canvas columns begin..end-1 that a layer treats alike.
    struct Run {
        int begin, end;
        Kind kind;
    };

    explicit CCoverageRuns(KernelSet kernels) : m_kernels(kernels) {}

    // Takes the room for rows of layers layers over columns columns, so that no row needs more. Throws
    // std::bad_alloc when it cannot be had.
    void Reserve(std::size_t layers, int columns);
    // Starts a row with nothing covered.
    void StartRow();
    // Adds the pieces of a painting layer, entered into this row, that the layers added before leave
    // visible, and returns their indices: the first and one past the last. With blend off partly
    // transparent runs are left out; key applies when the layer has no alpha companion.
    std::pair<std::size_t, std::size_t> Add(const CComposePlan& plan, const CComposePlan::Layer& layer,
                                            bool blend, const BYTE key[3]);
    std::span<const Run> Pieces(std::pair<std::size_t, std::size_t> indices) const {
        return {m_pieces.data() + indices.first, indices.second - indices.first};
    }
    // The columns that opaque runs decide, in order, apart.
    const std::vector<Run>& Covered() const { return m_covered; }

private:
    void AddGap(const CComposePlan& plan, const CComposePlan::Layer& layer, int begin, int end, bool blend,
                const BYTE key[3]);
    void Cover(std::size_t from);

    KernelSet m_kernels;
    std::vector<Run> m_pieces;                 // per layer, of the current row
    std::vector<Run> m_covered, m_coveredNext; // canvas columns an opaque run in front already decides
};
