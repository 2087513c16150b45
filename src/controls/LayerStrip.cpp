#include "controls/LayerStrip.h"

#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "platform/Modal.h"

#include <algorithm>
#include <limits>

namespace {
bool Is(const CButtonControl* button, int id) {
    return button && button->GetId() == id;
}

// Changes the button's state only when it differs from what its window has.
void SetEnabled(CButtonControl* button, bool enable) {
    CWnd* wnd = button ? button->GetWindow() : nullptr;
    if (wnd && bool(wnd->IsWindowEnabled()) != enable)
        button->Enable(enable);
}

bool HasContent(const CLayerControl* layer) {
    return layer && layer->GetImage();
}

// Whether the picture shows a frame on the selected layer, or would with Move on (a click on empty
// picture leaves Move on without a frame).
bool FollowsSelection(const CLayerCompositor& compositor) {
    const CButtonControl* move = compositor.GetMoveButton();
    return compositor.HasSelectedSlot() || (move && move->IsOn());
}
} // namespace

CLayerStrip::CLayerStrip(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                         std::uint32_t flags, int m, int g)
    : CControlStrip(manager, parentWnd, id, designRect, flags, m, g) {
    // A column that lays out its layers; unlike a plain strip it may become hot.
    m_flags = flags | CTL_VERTICAL | CTL_LAYS_OUT_CHILDREN;
    if (manager)
        manager->AddListener(this);
}

CLayerStrip::~CLayerStrip() {
    SetCompositor(nullptr);
}

bool CLayerStrip::AddControl(CControl* control) {
    auto* layer = dynamic_cast<CLayerControl*>(control);
    if (!layer || !CControlStrip::AddControl(layer))
        return false;
    Select(layer);
    return true;
}

void CLayerStrip::SetButtons(CButtonControl* info, CButtonControl* glue, CButtonControl* layUp,
                             CButtonControl* layDown, CButtonControl* remove) {
    m_infoButton = info;
    m_glueButton = glue;
    m_layUpButton = layUp;
    m_layDownButton = layDown;
    m_deleteButton = remove;
}

void CLayerStrip::SetCompositor(CLayerCompositor* compositor) {
    // The former picture area must not go on reading a strip that no longer tells it anything.
    if (m_compositor && m_compositor != compositor)
        m_compositor->SetLayerStrip(nullptr);
    m_compositor = compositor;
    if (!compositor)
        return;
    compositor->SetLayerStrip(this);
    UpdateButtons();
    compositor->Recompose(TRUE);
}

CLayerControl* CLayerStrip::GetLayer(int position) const {
    return dynamic_cast<CLayerControl*>(GetControl(position));
}

CLayerControl* CLayerStrip::GetPreviousLayer(const CLayerControl* layer) const {
    int position = 0;
    return IndexOf(layer, &position) ? GetLayer(position - 1) : nullptr;
}

void CLayerStrip::Select(CLayerControl* layer) {
    if (SelectLayer(layer))
        Recompose();
}

bool CLayerStrip::SelectLayer(CLayerControl* layer) {
    if (layer == m_selected)
        return false;
    if (m_selected)
        m_selected->SetSelected(false);
    m_selected = layer;
    UpdateButtons();
    if (layer) {
        layer->SetSelected(true);
        // A selection frame on the picture moves to the newly selected layer.
        if (m_compositor && FollowsSelection(*m_compositor))
            m_compositor->SelectSlotOfKey(layer->GetContentKey());
    }
    return true;
}

void CLayerStrip::UpdateButtons() {
    int position = 0;
    const bool inStrip = IndexOf(m_selected, &position);
    const bool content = HasContent(m_selected);
    SetEnabled(m_layDownButton, inStrip && GetLayer(position + 1));
    SetEnabled(m_layUpButton, inStrip && GetLayer(position - 1));
    SetEnabled(m_deleteButton, content);
    SetEnabled(m_infoButton, content);
    SetEnabled(m_glueButton, content);
    if (!m_compositor)
        return;
    SetEnabled(m_compositor->GetMoveButton(), content);
    if (!content && FollowsSelection(*m_compositor))
        m_compositor->ClearSlotSelection();
}

void CLayerStrip::Refresh(int, BOOL blend) {
    UpdateButtons();
    if (m_compositor)
        m_compositor->Recompose(blend);
}

void CLayerStrip::ClearAllLayers() {
    for (int i = 0; i < GetCount(); ++i)
        if (CLayerControl* layer = GetLayer(i))
            layer->ClearImage();
}

bool CLayerStrip::OnControlEvent(int id, WPARAM param) {
    if (CControl* layer = FindControl(id)) {
        Select(dynamic_cast<CLayerControl*>(layer));
        return true;
    }
    if (m_compositor) {
        for (int i = 0; i < GetCount(); ++i) {
            CLayerControl* layer = GetLayer(i);
            if (HasContent(layer) && Is(layer->GetToggle(), id)) {
                layer->OnToggled();
                Changed();
                return true;
            }
        }
    }
    if (Is(m_infoButton, id))
        return true; // the view shows the information
    if (Is(m_glueButton, id))
        Glue();
    else if (Is(m_layUpButton, id))
        MoveSelected(-1);
    else if (Is(m_layDownButton, id))
        MoveSelected(1);
    else if (Is(m_deleteButton, id))
        DeleteSelected(param);
    else
        return false;
    return true;
}

void CLayerStrip::Glue() {
    // The swaps carry the selected look along with the content; the selection goes with it.
    CLayerControl* follow = m_selected;
    for (int i = GetCount() - 1; i >= 1; --i) {
        CLayerControl* empty = GetLayer(i);
        if (!empty || HasContent(empty))
            continue;
        for (int j = i - 1; j >= 0; --j) {
            CLayerControl* full = GetLayer(j);
            if (!HasContent(full))
                continue;
            if (empty->SwapLayerWith(full)) {
                if (follow == full)
                    follow = empty;
                else if (follow == empty)
                    follow = full;
            }
            break;
        }
    }
    SelectLayer(follow);
    UpdateButtons();
    Recompose();
}

void CLayerStrip::MoveSelected(int step) {
    int position = 0;
    if (!IndexOf(m_selected, &position))
        return;
    CLayerControl* other = GetLayer(position + step);
    if (!other || !m_selected->SwapLayerWith(other))
        return;
    SelectLayer(other);
    UpdateButtons();
    Recompose();
}

void CLayerStrip::DeleteSelected(WPARAM param) {
    if (!HasContent(m_selected) || !m_manager)
        return;
    if (param == 0) {
        const std::string* question = m_manager->GetMessageTable().FindMessage(MSG_CLEAR_LAYER);
        if (m_manager->ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
    }
    m_selected->ClearImage();
    Changed();
}

void CLayerStrip::Changed() {
    UpdateButtons();
    Recompose();
}

void CLayerStrip::Recompose() {
    if (m_compositor)
        m_compositor->Recompose(TRUE);
}

bool CLayerStrip::UniteLayerArea(RECT* rect, const CLayerControl* layer) const {
    SlotPlacement slot;
    if (!rect || !layer || !m_compositor || !m_compositor->FindSlotPlacement(layer->GetContentKey(), &slot))
        return false;
    UniteSlotArea(rect, slot);
    return true;
}

void CLayerStrip::UniteSlotArea(RECT* rect, const SlotPlacement& slot) {
    if (!rect)
        return;
    // A slot read from a file may lie anywhere: its far edges are held within the coordinate range.
    auto edge = [](std::int64_t value) {
        return LONG(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                             std::numeric_limits<LONG>::max()));
    };
    RECT area = {slot.x, slot.y, edge(std::int64_t(slot.x) + slot.width),
                 edge(std::int64_t(slot.y) + slot.height)};
    NormalizeRect(area);
    RECT current = *rect;
    NormalizeRect(current);
    UnionRect(*rect, current, area);
}
