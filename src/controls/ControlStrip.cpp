#include "controls/ControlStrip.h"

#include "controls/ControlManager.h"
#include "imaging/DIB.h"
#include "platform/DC.h"
#include "platform/Modal.h"

#include <algorithm>
#include <new>

CControlStrip::CControlStrip(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                             std::uint32_t flags, int m, int g)
    : CWndControl(manager, parentWnd, id, designRect), m_m(m), m_g(g) {
    m_flags = flags | CTL_NEVER_HOT | CTL_LAYS_OUT_CHILDREN;
    // The strip draws nothing: the controls it lays out, made before it, must show above it and hear
    // the mouse, as child windows made later lie beneath the earlier ones on the original platform.
    if (CWnd* wnd = GetWindow())
        wnd->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

CControlStrip::~CControlStrip() = default;

bool CControlStrip::AddControl(CControl* control) {
    if (!control)
        return false;
    try {
        m_controls.push_back(control);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Error: could not add a control to the controlstrip", MB_OK);
        return false;
    }
    control->SetParentControl(this);
    return true;
}

void CControlStrip::RemoveAllControls() {
    m_controls.clear();
}

void CControlStrip::Rescale() {
    CControl::Rescale();
    const int n = GetCount();
    if (n == 0)
        return;
    const RECT& r = m_rect;
    const bool vertical = m_flags & CTL_VERTICAL;
    LONG x = r.left + m_m, y = r.top + m_g;
    const LONG w = vertical ? r.right - r.left - 2 * m_m : (r.right - r.left - (n + 1) * m_m) / n;
    const LONG h = vertical ? (r.bottom - r.top - (n + 1) * m_g) / n : r.bottom - r.top - 2 * m_g;
    for (CControl* control : m_controls) {
        if (!control)
            continue;
        control->MoveTo({x, y, x + w, y + h});
        if (vertical)
            y += h + m_g;
        else
            x += w + m_m;
    }
}

BOOL CControlStrip::OnEraseBkgnd(CDC* dc) {
    CWnd* view = m_manager ? m_manager->GetWindow() : nullptr;
    if (!dc || !view || !IsDrawingEnabled())
        return CWndControl::OnEraseBkgnd(dc);
    RECT client, viewClient;
    GetClientRect(&client);
    view->GetClientRect(&viewClient);
    const std::uint32_t flags = m_manager->GetFlags();
    const CDIB* background = m_manager->GetBackground();
    if (flags & CMF_BACKGROUND_COLOUR) {
        dc->FillSolidRect(client, m_manager->GetBackgroundColour());
        return TRUE;
    }
    if (!(flags & CMF_BACKGROUND_PICTURE) || !background || viewClient.Width() <= 0 ||
        viewClient.Height() <= 0)
        return CWndControl::OnEraseBkgnd(dc);
    // The view stretches its picture over its client area; the strip shows the part under its rectangle.
    // Picture rows count from the bottom.
    const double fx = double(background->GetWidth()) / viewClient.Width();
    const double fy = double(background->GetHeight()) / viewClient.Height();
    const RECT source = {Truncate(m_rect.left * fx), Truncate(background->GetHeight() - m_rect.bottom * fy),
                         Truncate(m_rect.right * fx), Truncate(background->GetHeight() - m_rect.top * fy)};
    background->Draw(dc, &client, &source, m_manager->GetPalette(), TRUE);
    return TRUE;
}

CControl* CControlStrip::FindControl(int id, int* index) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i] && m_controls[i]->GetId() == id) {
            if (index)
                *index = int(i);
            return m_controls[i];
        }
    }
    return nullptr;
}

bool CControlStrip::IndexOf(const CControl* control, int* index) const {
    if (!control)
        return false;
    const auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return false;
    if (index)
        *index = int(it - m_controls.begin());
    return true;
}

CControl* CControlStrip::GetControl(int index) const {
    return index >= 0 && index < GetCount() ? m_controls[std::size_t(index)] : nullptr;
}
