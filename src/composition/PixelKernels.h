#pragma once
// The composer's work over many pixels at once: finding where a run of a companion row ends, and painting
// a piece of a canvas row by copying or blending. A set of kernels is a class whose static functions do
// that work: CScalarKernels, plain, on every machine; CSse2Kernels, with vector instructions, where the
// processor has them. Both are built and both are tested; the composer picks one at run time and reaches
// it through WithKernels. Their functions are inline, so the loops over runs and pieces call no function.

#include "platform/WinTypes.h"
#include <concepts>
#include <cstdint>
#include <span>

// What one canvas column of a slot reads: byte offsets into the stored rows of the picture and of its
// alpha companion, and the mask column (of the companion, or of the picture with a key colour).
struct SourceColumn {
    std::uint32_t image;
    std::uint32_t alpha;
    std::uint32_t mask;
};

// EndOfTransparent, EndOfOpaque, EndOfSoft(row, x, end): the first column from x on, before end, whose
// byte in row is not 0, is not 255, or is 0 or 255 (where a transparent, an opaque or a partly
// transparent run ends); end if there is none.
// Copy(out, image, column, n, contiguous): copies the picture's pixels for n canvas columns (column[0]
// to column[n - 1]) from the stored row image to out; contiguous: the columns read consecutive pixels.
// Blend(out, image, alpha, column, n, table): mixes the picture's pixels for n canvas columns over out
// through their alpha, each 1 to 254: (D × (255 − a)) >> 8 plus (S × a) >> 8, through the 64 KB
// product table, or computed directly without one (the same bytes).
template <class K>
concept PixelKernels = requires(const BYTE* bytes, BYTE* out, const SourceColumn* column, int n,
                                bool contiguous) {
    { K::EndOfTransparent(bytes, n, n) } -> std::same_as<int>;
    { K::EndOfOpaque(bytes, n, n) } -> std::same_as<int>;
    { K::EndOfSoft(bytes, n, n) } -> std::same_as<int>;
    K::Copy(out, bytes, column, n, contiguous);
    K::Blend(out, bytes, bytes, column, n, bytes);
};

enum class KernelSet : std::uint8_t { Scalar, Sse2 };

// This build's sets, the plain one first and the fastest last.
inline std::span<const KernelSet> KernelSets() {
    static constexpr KernelSet sets[] = {
        KernelSet::Scalar,
#if defined(__SSE2__)
        KernelSet::Sse2,
#endif
    };
    return sets;
}

inline const char* KernelSetName(KernelSet set) {
    return set == KernelSet::Sse2 ? "Sse2" : "Scalar";
}

// Asks for the cache lines of bytes first to last of row, so that reading them later need not wait.
inline void Prefetch(const BYTE* row, std::uint32_t first, std::uint32_t last) {
    for (std::uint32_t offset = first; offset < last; offset += 64)
        __builtin_prefetch(row + offset);
    __builtin_prefetch(row + last);
}
