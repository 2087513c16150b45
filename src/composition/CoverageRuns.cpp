#include "composition/CoverageRuns.h"

#include "composition/WithKernels.h"
#include <algorithm>

void CCoverageRuns::Reserve(std::size_t layers, int columns) {
    const std::size_t room = std::size_t(std::max(columns, 0)) + 1;
    m_pieces.reserve(layers * room);
    m_covered.reserve(room);
    m_coveredNext.reserve(room);
}

void CCoverageRuns::StartRow() {
    m_pieces.clear();
    m_covered.clear();
}

std::pair<std::size_t, std::size_t> CCoverageRuns::Add(const CComposePlan& plan,
                                                       const CComposePlan::Layer& layer, bool blend,
                                                       const BYTE key[3]) {
    // Only the gaps between the opaque runs of the layers in front are read.
    const std::size_t first = m_pieces.size();
    auto covered = std::partition_point(m_covered.begin(), m_covered.end(),
                                        [&](const Run& run) { return run.end <= layer.spanBegin; });
    int from = layer.spanBegin;
    for (; covered != m_covered.end() && covered->begin < layer.spanEnd; ++covered) {
        if (covered->begin > from)
            AddGap(plan, layer, from, covered->begin, blend, key);
        from = std::max(from, covered->end);
    }
    if (from < layer.spanEnd)
        AddGap(plan, layer, from, layer.spanEnd, blend, key);
    Cover(first);
    return {first, m_pieces.size()};
}

// Reads the mask columns that canvas columns begin..end-1 sample, as runs, and adds them as pieces.
void CCoverageRuns::AddGap(const CComposePlan& plan, const CComposePlan::Layer& layer, int begin, int end,
                           bool blend, const BYTE key[3]) {
    const int maskWidth = layer.alphaBits ? layer.alpha.width : layer.image.width;
    const SourceColumn* const columns = plan.Columns(layer);
    const int first = int(columns[begin - layer.spanBegin].mask);
    const int last = int(columns[end - 1 - layer.spanBegin].mask);
    const bool mirror = layer.mirrorH;

    // Mask column a is first read at canvas column canvasColumn[a]; mirrored, mask columns count from
    // the other side, and the pieces come right to left until they are turned round at the end.
    const int* canvasColumn = plan.MaskColumns(layer);
    const std::size_t gapPieces = m_pieces.size();
    auto add = [&](int from, int to, Kind kind) {
        if (kind == Kind::Leave)
            return;
        const int c0 = std::max(canvasColumn[mirror ? maskWidth - to : from], begin);
        const int c1 = std::min(canvasColumn[mirror ? maskWidth - from : to], end);
        if (c0 >= c1)
            return;
        Run* back = m_pieces.size() > gapPieces ? &m_pieces.back() : nullptr;
        if (back && back->kind == kind && (mirror ? back->begin == c1 : back->end == c0))
            (mirror ? back->begin : back->end) = mirror ? c0 : c1;
        else
            m_pieces.push_back({c0, c1, kind});
    };
    const Kind soft = blend ? Kind::Blend : Kind::Leave;
    const int from = mirror ? last : first, to = (mirror ? first : last) + 1;
    if (!layer.alphaBits) {
        const BYTE* row = layer.imageBits;
        for (int x = from; x < to; ++x) {
            const BYTE* s = row + 3 * x;
            add(x, x + 1, s[0] == key[0] && s[1] == key[1] && s[2] == key[2] ? Kind::Leave : Kind::Copy);
        }
    } else if (layer.alpha.bitCount == 8) {
        // Companions are mostly long runs of 0 and 255: the kernels scan those many bytes at a time.
        const BYTE* row = layer.alphaBits;
        WithKernels(m_kernels, [&]<PixelKernels K>(K) {
            for (int x = from; x < to;) {
                const int runStart = x;
                const BYTE v = row[x];
                if (v == 0) {
                    x = K::EndOfTransparent(row, x + 1, to);
                } else if (v == 255) {
                    x = K::EndOfOpaque(row, x + 1, to);
                    add(runStart, x, Kind::Copy);
                } else {
                    x = K::EndOfSoft(row, x + 1, to);
                    add(runStart, x, soft);
                }
            }
        });
    } else {
        for (int x = from; x < to; ++x) {
            const BYTE v = layer.alphaBits[CComposePlan::ColumnOffset(x, layer.alpha.bitCount)];
            add(x, x + 1, v == 0 ? Kind::Leave : v == 255 ? Kind::Copy : soft);
        }
    }
    if (mirror)
        std::reverse(m_pieces.begin() + std::ptrdiff_t(gapPieces), m_pieces.end());
}

// Merges the opaque pieces from index from on (in column order) into the covered columns.
void CCoverageRuns::Cover(std::size_t from) {
    if (std::none_of(m_pieces.begin() + std::ptrdiff_t(from), m_pieces.end(),
                     [](const Run& piece) { return piece.kind == Kind::Copy; }))
        return;
    m_coveredNext.clear();
    auto add = [this](const Run& run) {
        if (!m_coveredNext.empty() && m_coveredNext.back().end >= run.begin)
            m_coveredNext.back().end = std::max(m_coveredNext.back().end, run.end);
        else
            m_coveredNext.push_back(run);
    };
    auto covered = m_covered.begin();
    for (std::size_t i = from; i < m_pieces.size(); ++i) {
        if (m_pieces[i].kind != Kind::Copy)
            continue;
        while (covered != m_covered.end() && covered->begin < m_pieces[i].begin)
            add(*covered++);
        add(m_pieces[i]);
    }
    while (covered != m_covered.end())
        add(*covered++);
    m_covered.swap(m_coveredNext);
}
