#include "ReferenceCompose.h"

#include <cstdlib>
#include <utility>

void ReferenceCompose(CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy,
                      const RECT* rect, bool blend, const BYTE* table, COLORREF key, COLORREF background) {
    const int W = canvas.GetWidth(), H = canvas.GetHeight();
    int L = 0, T = 0, R = W, B = H;
    if (rect) {
        RECT r = *rect;
        if (r.left > r.right)
            std::swap(r.left, r.right);
        if (r.top > r.bottom)
            std::swap(r.top, r.bottom);
        L = int(r.left * sx), T = int(r.top * sy), R = int(r.right * sx), B = int(r.bottom * sy);
    }
    auto inArea = [&](int e, int j) { return e >= L && e < R && j >= T && j < B; };
    canvas.BeginPixelAccess();
    auto setBackground = [&](int e, int j) {
        BYTE* d = canvas.PixelAddress(e, j);
        d[0] = BYTE(background >> 16), d[1] = BYTE(background >> 8), d[2] = BYTE(background);
    };
    if (slots.empty()) {
        for (int j = 0; j < H; ++j)
            for (int e = 0; e < W; ++e)
                setBackground(e, j);
        return;
    }
    struct Work {
        bool active;
        int srcRow, colStart, rowStart, colCount, rowCount;
    };
    std::vector<Work> work(slots.size());
    for (const auto& s : slots)
        s->BeginPixelAccess();
    for (int j = 0; j < H; ++j) {
        if (j < T || j >= B)
            continue;
        bool any = false;
        for (size_t i = 0; i < slots.size(); ++i) {
            const CDIBSlot* s = slots[i].get();
            Work& w = work[i];
            w.active = false;
            if (!s->m_visible)
                continue;
            int top = s->GetMirrorVertical() ? s->m_y - std::abs(s->m_height) : s->m_y;
            w.rowStart = int(top * sy);
            w.rowCount = int(std::abs(s->m_height) * sy);
            if (w.rowStart <= j && j < w.rowStart + w.rowCount) {
                w.active = any = true;
                int left = s->GetMirrorHorizontal() ? s->m_x - std::abs(s->m_width) : s->m_x;
                w.colStart = int(left * sx);
                w.colCount = int(std::abs(s->m_width) * sx);
                w.srcRow = (j - w.rowStart) * s->GetHeight() / w.rowCount;
            }
        }
        if (!any) {
            for (int e = 0; e < W; ++e)
                if (inArea(e, j))
                    setBackground(e, j);
            continue;
        }
        for (int e = 0; e < W; ++e) {
            if (!inArea(e, j)) {
                for (Work& w : work)
                    if (w.active && e >= w.colStart + w.colCount)
                        w.active = false;
                continue;
            }
            bool stillActive = false;
            for (Work& w : work)
                stillActive = stillActive || w.active;
            if (!stillActive) {
                for (int f = e; f < W; ++f)
                    setBackground(f, j);
                break;
            }
            setBackground(e, j);
            BYTE* d = canvas.PixelAddress(e, j);
            for (int i = int(slots.size()) - 1; i >= 0; --i) {
                Work& w = work[i];
                const CDIBSlot* s = slots[i].get();
                if (!w.active)
                    continue;
                if (e >= w.colStart + w.colCount) {
                    w.active = false;
                    continue;
                }
                if (e < w.colStart || w.colCount <= 0)
                    continue;
                const BYTE* S = s->PixelAddress((e - w.colStart) * s->GetWidth() / w.colCount, w.srcRow);
                if (!S)
                    continue;
                CDIB* alpha = s->m_source ? s->m_source->GetAlpha() : nullptr;
                if (!alpha) {
                    if (S[0] == BYTE(key >> 16) && S[1] == BYTE(key >> 8) && S[2] == BYTE(key))
                        continue;
                    d[0] = S[0], d[1] = S[1], d[2] = S[2];
                    continue;
                }
                alpha->SetMirrorHorizontal(s->GetMirrorHorizontal());
                alpha->SetMirrorVertical(s->GetMirrorVertical());
                const BYTE* A = alpha->PixelAddressDirect((e - w.colStart) * alpha->GetWidth() / w.colCount,
                                                          (j - w.rowStart) * alpha->GetHeight() / w.rowCount);
                if (!A || *A == 0)
                    continue;
                const int m = *A;
                for (int c = 0; c < 3; ++c) {
                    if (m == 255)
                        d[c] = S[c];
                    else if (blend && table)
                        d[c] = BYTE(table[d[c] * 256 + (255 - m)] + table[S[c] * 256 + m]);
                    else if (blend)
                        d[c] = BYTE(((d[c] * (255 - m)) >> 8) + ((S[c] * m) >> 8));
                }
            }
        }
    }
}
