// The selection frame of the picture area, dragging the selected layer with it, picking a layer by
// clicking it, and the keys that work on the selected layer.

#include "controls/DIBMixer.h"

#include "composition/PickSlotAt.h"
#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/DC.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
// The frame's two lines and the handles' faces: dark beside light shows on any picture.
constexpr COLORREF frameDark = RGB(20, 20, 20);
constexpr COLORREF frameLight = RGB(255, 255, 255);
constexpr COLORREF hotHandleFace = RGB(0, 120, 215);
// How far a step's area reaches beyond the slot: its scaled edges round either way.
constexpr int stepMargin = 3;
// How far the arrow keys move the selected layer, in design units, and with Shift held.
constexpr int keyStep = 1, shiftKeyStep = 10;

bool IsOn(const CButtonControl* button) {
    return button && button->IsOn();
}

// Where a slot lies on the canvas, in pixels: width and height keep their signs. Held within a range where
// the arrow's sums cannot overflow; a slot read from a file may lie anywhere.
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

// The outline of rect, width pixels thick, just inside it.
void FrameRect(CDC* dc, const RECT& rect, int width, COLORREF colour) {
    const LONG w = std::min<LONG>(width, std::max<LONG>(1, std::min(rect.Width(), rect.Height()) / 2));
    dc->FillSolidRect({rect.left, rect.top, rect.right, rect.top + w}, colour);
    dc->FillSolidRect({rect.left, rect.bottom - w, rect.right, rect.bottom}, colour);
    dc->FillSolidRect({rect.left, rect.top + w, rect.left + w, rect.bottom - w}, colour);
    dc->FillSolidRect({rect.right - w, rect.top + w, rect.right, rect.bottom - w}, colour);
}

void DrawHandle(CDC* dc, const RECT& handle, int lineWidth, bool hot) {
    FrameRect(dc, handle, lineWidth, frameDark);
    RECT face = handle;
    InflateRect(face, -lineWidth, -lineWidth);
    if (!IsRectEmpty(face))
        dc->FillSolidRect(face, hot ? hotHandleFace : frameLight);
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

std::optional<CSelectionFrame> CDIBMixer::CurrentFrame() const {
    if (!m_manager || !m_selectedSlot)
        return std::nullopt;
    return CSelectionFrame(m_selectedSlot->GetPlacement(), m_manager->GetScaleX(), m_manager->GetScaleY());
}

void CDIBMixer::DrawSelectionFrame(CDC* dc) {
    if (!m_manager || !dc)
        return;
    const std::optional<CSelectionFrame> frame = CurrentFrame();
    m_frameShown = frame.has_value();
    if (!frame)
        return;
    MirrorBySigns(*m_selectedSlot, PlaceOf(*m_selectedSlot, m_manager->GetScaleX(), m_manager->GetScaleY()));

    // A dark line outside a light one: one of them stands out against any picture.
    const int line = frame->GetLineWidth();
    RECT outline = frame->GetOutline();
    InflateRect(outline, line, line);
    FrameRect(dc, outline, line, frameDark);
    InflateRect(outline, -line, -line);
    FrameRect(dc, outline, line, frameLight);
    for (int i = 0; i < CSelectionFrame::handleCount; ++i)
        DrawHandle(dc, frame->GetHandle(i), line, i == m_hotHandle);
}

void CDIBMixer::OnLeftButtonDown(UINT, int x, int y) {
    // The keys work on the picture from the first click on it.
    SetFocus();
    EndAttachedMove();
    m_drag.reset();
    const POINT p{x, y};
    const std::optional<CSelectionFrame> frame = CurrentFrame();
    m_hotHandle = frame ? frame->HandleAt(p) : -1;
    if (m_hotHandle < 0 && IsOn(m_moveButton))
        PickLayerAt(p);
    if (!m_selectedSlot)
        return;
    // The drag starts in the same press, from the place the layer has now.
    m_drag.emplace(m_selectedSlot->GetPlacement(), m_hotHandle);
    m_dragKey = m_selectedSlot->m_key;
    m_pressPoint = p;
    BeginDrag();
    if (m_hotHandle < 0)
        return;
    if (CDC* dc = GetDC()) {
        DrawHandle(dc, frame->GetHandle(m_hotHandle), frame->GetLineWidth(), true);
        ReleaseDC(dc);
    }
}

void CDIBMixer::PickLayerAt(POINT p) {
    if (!m_manager)
        return;
    CDIBSlot* slot = PickSlotAt(m_slots, p, m_manager->GetScaleX(), m_manager->GetScaleY(), m_selectedSlot,
                                MIXER_KEY_COLOUR);
    if (slot == m_selectedSlot)
        return;
    if (!slot) {
        DropFrame();
        return;
    }
    // The layer strip follows as if the user had picked the layer there.
    if (m_layerStrip)
        for (int i = 0; i < m_layerStrip->GetCount(); ++i)
            if (CLayerControl* layer = m_layerStrip->GetLayer(i);
                layer && layer->GetContentKey() == slot->m_key)
                m_layerStrip->Select(layer);
    SelectDibSlot(slot);
}

// The moves and the button-up of a drag reach the picture area also when the pointer has left it (the
// platform keeps them with the window the press began in): a step may come from a point outside.
void CDIBMixer::OnMouseOver(UINT keyFlags, int x, int y) {
    if (!(keyFlags & MK_LBUTTON)) {
        ShowPointerFor({x, y});
        return;
    }
    if (!m_drag || !m_manager || !m_selectedSlot || m_selectedSlot->m_key != m_dragKey)
        return;
    const SlotPlacement to = m_drag->PlaceFor({x - m_pressPoint.x, y - m_pressPoint.y},
                                              m_manager->GetScaleX(), m_manager->GetScaleY());
    // A drag is one change, heard at its button-up.
    const QuietChanges quiet(this);
    PlaceSelectedSlot(to, m_interactiveUpdate);
}

void CDIBMixer::PlaceSelectedSlot(const SlotPlacement& to, bool composeNow) {
    CDIBSlot& slot = *m_selectedSlot;
    // A step that moves nothing changes nothing, so a click on the frame leaves the picture unchanged.
    const SlotPlacement now = slot.GetPlacement();
    if (to.x == now.x && to.y == now.y && to.width == now.width && to.height == now.height)
        return;
    const SlotState was = slot.GetPlace();
    const RECT before = AreaOf(slot);
    slot.m_x = to.x, slot.m_y = to.y, slot.m_width = to.width, slot.m_height = to.height;
    RECT swept;
    UnionRect(swept, before, AreaOf(slot));
    MoveAttachedTexts(was, slot, &swept);
    InflateRect(swept, stepMargin, stepMargin);
    // The flags follow the signs before this step is composed: an edge dragged past the opposite one would
    // otherwise be drawn unmirrored on the wrong side once, and leave pixels the next steps do not reach.
    if (m_manager)
        MirrorBySigns(slot, PlaceOf(slot, m_manager->GetScaleX(), m_manager->GetScaleY()));
    // Unless composed now, the whole path of the drag is recomposed once, at button-up; until then only
    // the frame moves.
    RECT gathered = slot.m_changedArea;
    NormalizeRect(gathered);
    UnionRect(slot.m_changedArea, gathered, swept);
    if (composeNow)
        slot.m_changed = 1;
    Recompose(TRUE);
}

void CDIBMixer::OnLeftButtonUp(UINT, int x, int y) {
    if (!m_interactiveUpdate && m_selectedSlot && !IsRectEmpty(m_selectedSlot->m_changedArea))
        m_selectedSlot->m_changed = 1;
    EndAttachedMove();
    m_hotHandle = -1;
    m_drag.reset();
    Recompose(TRUE);
    EndDrag();
    ShowPointerFor({x, y});
}

void CDIBMixer::ShowPointerFor(POINT p) {
    StandardCursor cursor = StandardCursor::arrow;
    if (const std::optional<CSelectionFrame> frame = CurrentFrame())
        cursor = frame->CursorOf(frame->HandleAt(p));
    if (cursor == StandardCursor::arrow && m_manager) {
        // With Move on a press takes the layer under the pointer; otherwise it moves the selected one.
        const CDIBSlot* moves = IsOn(m_moveButton)
                                    ? PickSlotAt(m_slots, p, m_manager->GetScaleX(), m_manager->GetScaleY(),
                                                 m_selectedSlot, MIXER_KEY_COLOUR)
                                    : m_selectedSlot;
        if (moves)
            cursor = StandardCursor::sizeAll;
    }
    SetWindowCursor(this, cursor);
}

void CDIBMixer::OnKeyDown(UINT key, UINT repeat, UINT) {
    const int step = (GetKeyState(VK_SHIFT) < 0 ? shiftKeyStep : keyStep) * int(std::min(repeat, 100u));
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (m_selectedSlot && !m_drag) {
            const int dx = key == VK_LEFT ? -step : key == VK_RIGHT ? step : 0;
            const int dy = key == VK_UP ? -step : key == VK_DOWN ? step : 0;
            SlotPlacement to = m_selectedSlot->GetPlacement();
            to = CSlotDrag(to, -1).PlaceFor({dx, dy}, 1, 1);
            PlaceSelectedSlot(to, true);
            // Each key is a move of its own: the texts on the layer start from where it left them.
            EndAttachedMove();
        }
        break;
    case VK_DELETE:
        if (m_selectedSlot && m_layerStrip)
            ClickIfEnabled(m_layerStrip->GetDeleteButton());
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (m_selectedSlot && m_layerStrip)
            ClickIfEnabled(key == VK_PRIOR ? m_layerStrip->GetLayUpButton()
                                           : m_layerStrip->GetLayDownButton());
        break;
    case VK_TAB:
        SelectNextFilledLayer(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        break;
    case VK_ESCAPE:
        if (m_selectedSlot && !m_drag)
            DropFrame();
        break;
    default:
        break;
    }
}

void CDIBMixer::DropFrame() {
    // The mode buttons stay as they are: with Move on, the next click on a layer takes that one.
    m_selectedSlot = nullptr;
    m_flags &= ~CMX_SLOT_SELECTED;
    Recompose(TRUE);
}

void CDIBMixer::ClickIfEnabled(CButtonControl* button) {
    CWnd* wnd = button ? button->GetWindow() : nullptr;
    if (wnd && wnd->IsWindowEnabled())
        button->Clicked();
}

void CDIBMixer::SelectNextFilledLayer(int direction) {
    if (!m_layerStrip || m_drag)
        return;
    const int count = m_layerStrip->GetCount();
    int position = -1;
    m_layerStrip->IndexOf(m_layerStrip->GetSelected(), &position);
    for (int k = 1; k <= count; ++k) {
        const int i = ((position + direction * k) % count + count) % count;
        CLayerControl* layer = m_layerStrip->GetLayer(i);
        if (!layer || !layer->GetImage())
            continue;
        m_layerStrip->Select(layer);
        // The frame shows on it, to move it with the keys.
        if (!IsOn(m_textButton) && m_moveButton)
            m_moveButton->SetOn(true);
        SelectSlotOfKey(layer->GetContentKey());
        return;
    }
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
