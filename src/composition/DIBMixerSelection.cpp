// The selection frame of the picture area and dragging the selected layer with it.

#include "composition/DIBMixer.h"

#include "controls/ControlManager.h"
#include "controls/LayerStrip.h"
#include "platform/DC.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
constexpr COLORREF hotHandleOuter = 0x32FF00;
constexpr COLORREF hotHandleInner = 0x0000FF;
// How far outside its square a handle is still picked, and how far a drag step's area reaches beyond the
// slot (the frame is drawn on the slot's own border).
constexpr int pickMargin = 4;
constexpr int stepMargin = 3;

// What a drag step (dx, dy) on a handle does: the slot's x grows by x * dx, its width by width * dx, its y
// by y * dy and its height by height * dy.
struct HandleStep {
    int x, width, y, height;
};
constexpr HandleStep handleSteps[] = {
    {1, -1, 0, 0},  // 0: middle of the left edge
    {0, 0, 1, -1},  // 1: middle of the top edge
    {0, 1, 0, 0},   // 2: middle of the right edge
    {0, 0, 0, 1},   // 3: middle of the bottom edge
    {1, -1, 1, -1}, // 4: top-left corner
    {0, 1, 1, -1},  // 5: top-right corner
    {0, 1, 0, 1},   // 6: bottom-right corner
    {1, -1, 0, 1},  // 7: bottom-left corner
};
constexpr HandleStep bodyStep = {1, 0, 1, 0};

// value + by, held within the coordinate range: a slot read from a file may lie anywhere.
std::int32_t Moved(std::int32_t value, std::int64_t by) {
    return std::int32_t(std::clamp<std::int64_t>(std::int64_t(value) + by,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// The area the slot covers, normalised, in design units.
RECT AreaOf(const CDIBSlot& slot) {
    RECT area{};
    CLayerStrip::UniteSlotArea(&area, {slot.m_x, slot.m_y, slot.m_width, slot.m_height});
    return area;
}

// Where a slot lies on the canvas, in pixels: width and height keep their signs. Held within a range where
// the frame's sums cannot overflow; a slot read from a file may lie anywhere.
struct CanvasPlace {
    LONG left, top, w, h;
};
constexpr LONG pixelLimit = 1 << 24;
CanvasPlace PlaceOf(const CDIBSlot& slot, double sx, double sy) {
    auto pixel = [](double design) {
        return std::clamp(CControl::Truncate(design), -pixelLimit, pixelLimit);
    };
    return {pixel(slot.m_x * sx), pixel(slot.m_y * sy), pixel(slot.m_width * sx), pixel(slot.m_height * sy)};
}

// A negative width or height shows the layer mirrored. The flags go to the image and every image chained
// to it, so that the layer and its coverage are read the same way round.
void MirrorBySigns(CDIBSlot& slot, const CanvasPlace& place) {
    for (CDIB* image = &slot; image; image = image->GetAlpha()) {
        image->SetMirrorHorizontal(place.w < 0);
        image->SetMirrorVertical(place.h < 0);
    }
}

struct PointF {
    double x, y;
};

// Where segment a-b crosses segment c-d (ends included), if it does.
std::optional<PointF> Crossing(PointF a, PointF b, PointF c, PointF d) {
    const double rx = b.x - a.x, ry = b.y - a.y, sx = d.x - c.x, sy = d.y - c.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator == 0)
        return std::nullopt;
    const double t = ((c.x - a.x) * sy - (c.y - a.y) * sx) / denominator;
    const double u = ((c.x - a.x) * ry - (c.y - a.y) * rx) / denominator;
    if (t < 0 || t > 1 || u < 0 || u > 1)
        return std::nullopt;
    return PointF{a.x + t * rx, a.y + t * ry};
}
} // namespace

void CDIBMixer::DrawSelectionFrame(CDC* dc) {
    if (!m_manager || !dc)
        return;
    if (!m_selectedSlot) {
        m_frameShown = false;
        return;
    }
    const CanvasPlace place = PlaceOf(*m_selectedSlot, m_manager->GetScaleX(), m_manager->GetScaleY());
    const auto [left, top, w, h] = place;
    const LONG right = left + w, bottom = top + h;
    const LONG midX = left + ((w - 6) >> 1), midY = top + ((h - 6) >> 1);
    m_handles[0] = {left + 1, midY, left + 7, midY + 6};
    m_handles[1] = {midX, top + 1, midX + 6, top + 7};
    m_handles[2] = {right - 7, midY, right - 1, midY + 6};
    m_handles[3] = {midX, bottom - 7, midX + 6, bottom - 1};
    m_handles[4] = {left + 1, top + 1, left + 7, top + 7};
    m_handles[5] = {right - 7, top + 1, right - 1, top + 7};
    m_handles[6] = {right - 7, bottom - 7, right - 1, bottom - 1};
    m_handles[7] = {left + 1, bottom - 7, left + 7, bottom - 1};
    m_frameShown = true;

    MirrorBySigns(*m_selectedSlot, place);

    RECT frame{left, top, right, bottom};
    NormalizeRect(frame);
    dc->DrawFocusRect(&frame);
    for (const RECT& handle : m_handles)
        dc->DrawFocusRect(&handle);
    HighlightHotHandle(dc);
}

void CDIBMixer::HighlightHotHandle(CDC* dc) const {
    if (!m_frameShown || m_hotHandle < 0 || m_hotHandle >= handleCount)
        return;
    RECT handle = m_handles[m_hotHandle];
    dc->FillSolidRect(handle, hotHandleOuter);
    InflateRect(handle, -1, -1);
    dc->FillSolidRect(handle, hotHandleInner);
}

void CDIBMixer::OnLeftButtonDown(UINT, int x, int y) {
    BeginDrag();
    m_hotHandle = -1;
    if (m_frameShown) {
        for (int i = 0; i < handleCount; ++i) {
            RECT reach = m_handles[i];
            InflateRect(reach, pickMargin, pickMargin);
            if (PtInRect(reach, {x, y})) {
                m_hotHandle = i;
                break;
            }
        }
    }
    if (m_hotHandle < 0)
        return;
    if (CDC* dc = GetDC()) {
        HighlightHotHandle(dc);
        ReleaseDC(dc);
    }
}

// The moves and the button-up of a drag reach the picture area also when the pointer has left it (the
// platform keeps them with the window the press began in): a step may come from a point outside, and only
// the difference of the points counts.
void CDIBMixer::OnMouseOver(UINT keyFlags, int, int) {
    if (!(keyFlags & MK_LBUTTON) || !m_selectedSlot)
        return;
    POINT delta{};
    GetMoveDelta(&delta);
    // A step that moves nothing changes nothing, so a click on the frame leaves the picture unchanged.
    if (delta.x == 0 && delta.y == 0)
        return;
    CDIBSlot& slot = *m_selectedSlot;
    const RECT before = AreaOf(slot);
    const HandleStep& step =
        m_hotHandle >= 0 && m_hotHandle < handleCount ? handleSteps[m_hotHandle] : bodyStep;
    slot.m_x = Moved(slot.m_x, std::int64_t(step.x) * delta.x);
    slot.m_width = Moved(slot.m_width, std::int64_t(step.width) * delta.x);
    slot.m_y = Moved(slot.m_y, std::int64_t(step.y) * delta.y);
    slot.m_height = Moved(slot.m_height, std::int64_t(step.height) * delta.y);
    RECT swept;
    UnionRect(swept, before, AreaOf(slot));
    InflateRect(swept, stepMargin, stepMargin);
    // The flags follow the signs before this step is composed: an edge dragged past the opposite one would
    // otherwise be drawn unmirrored on the wrong side once, and leave pixels the next steps do not reach.
    if (m_manager)
        MirrorBySigns(slot, PlaceOf(slot, m_manager->GetScaleX(), m_manager->GetScaleY()));
    if (m_interactiveUpdate) {
        slot.m_changedArea = swept;
        slot.m_changed = 1;
    } else {
        // The whole path of the drag is recomposed once, at button-up; until then only the frame moves.
        RECT gathered = slot.m_changedArea;
        NormalizeRect(gathered);
        UnionRect(slot.m_changedArea, gathered, swept);
    }
    // A drag is one change, heard at its button-up.
    const QuietChanges quiet(this);
    Recompose(TRUE);
}

void CDIBMixer::OnLeftButtonUp(UINT, int, int) {
    if (!m_interactiveUpdate && m_selectedSlot && !IsRectEmpty(m_selectedSlot->m_changedArea))
        m_selectedSlot->m_changed = 1;
    m_hotHandle = -1;
    Recompose(TRUE);
    EndDrag();
}

void CDIBMixer::DrawOffCanvasArrow(CDC* dc) {
    if (!m_manager || !dc || !m_selectedSlot || !(m_flags & CMX_CANVAS_READY))
        return;
    const CDIBSlot& slot = *m_selectedSlot;
    const double sx = m_manager->GetScaleX(), sy = m_manager->GetScaleY();
    const int W = m_canvas.GetWidth(), H = m_canvas.GetHeight();
    const PointF centre{(double(slot.m_x) + (slot.m_width >> 1)) * sx,
                        (double(slot.m_y) + (slot.m_height >> 1)) * sy};
    if (centre.x >= 0 && centre.x <= W - 1 && centre.y >= 0 && centre.y <= H - 1)
        return;

    // The arrow's tip lies where the way from the layer to the middle of the picture enters it.
    const PointF middle{(W - 1) / 2.0, (H - 1) / 2.0};
    const PointF corners[4] = {
        {0, 0}, {0, double(H - 1)}, {double(W - 1), double(H - 1)}, {double(W - 1), 0}};
    const std::pair<PointF, PointF> edges[4] = {{corners[0], corners[1]},
                                                {corners[0], corners[3]},
                                                {corners[3], corners[2]},
                                                {corners[1], corners[2]}};
    std::optional<PointF> tip;
    for (const auto& [from, to] : edges)
        if ((tip = Crossing(centre, middle, from, to)))
            break;
    if (!tip)
        return;

    // Only for a layer of which nothing shows. A mirrored layer reaches left of or above its x, y.
    const auto [left, top, w, h] = PlaceOf(slot, sx, sy);
    RECT area{left, top, left + w, top + h};
    NormalizeRect(area);
    const bool beside = area.right < 0 || area.left >= W;
    if (!beside && area.bottom >= 0 && area.top < H)
        return;

    const LONG a = Truncate(tip->x * 0.9), c = Truncate(tip->y * 0.9);
    POINT points[3];
    if (beside) {
        const LONG x = Truncate((W >> 1) * 0.1 + a);
        points[0] = {x, Truncate(c + H * 0.3 * 0.1)};
        points[1] = {x, Truncate(c + H * 0.7 * 0.1)};
    } else {
        const LONG y = Truncate((H >> 1) * 0.1 + c);
        points[0] = {Truncate(a + W * 0.3 * 0.1), y};
        points[1] = {Truncate(a + W * 0.7 * 0.1), y};
    }
    points[2] = {Truncate(tip->x), Truncate(tip->y)};

    // Near layers give a cyan arrow, far ones a red-purple one.
    const double dx = Truncate(points[2].x - centre.x), dy = Truncate(points[2].y - centre.y);
    const LONG distance = Truncate(std::sqrt(dy * dy + dx * dx));
    const int v = std::clamp<LONG>(distance >> 2, 0, 255);
    const COLORREF colour = RGB(v, 255 - v, 255 - (v >> 1));

    CPen pen(PS_SOLID, 1, colour), black(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(colour);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Polygon(points, 3);
    dc->SelectObject(&black);
    dc->Polyline(points, 3);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}
