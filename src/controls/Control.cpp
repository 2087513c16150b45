#include "controls/Control.h"

#include "controls/ControlEvent.h"
#include "controls/ControlManager.h"
#include "platform/Wnd.h"

#include <algorithm>

CControl::CControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect, DWORD style)
    : m_manager(manager), m_parentWnd(parentWnd), m_id(id), m_rect(designRect), m_designRect(designRect),
      m_style(style) {}

CControl::~CControl() {
    m_manager = nullptr;
    m_parentWnd = nullptr;
    m_wnd = nullptr;
    m_parentControl = nullptr;
    m_flags = 0;
}

bool CControl::OnPaletteRealized() {
    return true;
}

CWnd* CControl::GetWindow() const {
    return m_wnd ? m_wnd->GetSafeHwnd() : nullptr;
}

bool CControl::Enable(bool enable) {
    CWnd* wnd = GetWindow();
    if (!wnd)
        return false;
    wnd->EnableWindow(enable);
    return true;
}

bool CControl::SendEvent(int id, int kind, int p1, int p2, int p3, int p4) {
    if (!m_manager)
        return false;
    const CControlEvent event(id, kind, p1, p2, p3, p4);
    return m_manager->Dispatch(&event);
}

void CControl::Rescale() {
    if (m_parentControl && (m_parentControl->m_flags & CTL_LAYS_OUT_CHILDREN))
        return;
    if (!m_manager)
        return;
    const double sx = m_manager->GetScaleX();
    const double sy = m_manager->GetScaleY();
    m_rect = {Truncate(m_designRect.left * sx), Truncate(m_designRect.top * sy),
              Truncate(m_designRect.right * sx), Truncate(m_designRect.bottom * sy)};
    if (CWnd* wnd = GetWindow())
        wnd->SetWindowPos(nullptr, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), SWP_NOZORDER);
}

void CControl::MoveTo(const RECT& rect) {
    m_rect = rect;
    if (CWnd* wnd = GetWindow())
        wnd->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER);
    Rescale();
}

bool CControl::SetFlags(std::uint32_t mask, bool on) {
    const std::uint32_t flags = on ? m_flags | mask : m_flags & ~mask;
    if (flags == m_flags)
        return false;
    m_flags = flags;
    return true;
}

void CControl::SetHot(bool hot) {
    if (SetFlags(CTL_HOT, hot))
        Draw(nullptr);
}

void CControl::SetSelected(bool selected) {
    if (SetFlags(CTL_SELECTED, selected))
        Draw(nullptr);
}

void CControl::OnMouseOver(UINT, int, int) {
    if ((m_flags & (CTL_HOT | CTL_NEVER_HOT)) || !m_manager)
        return;
    m_manager->SetHotControl(this);
}

CBrush* CControl::OnCtlColor(CDC*, CWnd*, int) {
    return nullptr;
}

bool CControl::OnControlEvent(int, WPARAM) {
    return false;
}
bool CControl::OnControlIntA(int, int) {
    return false;
}
bool CControl::OnControlIntB(int, int) {
    return false;
}
bool CControl::OnControlValue(int, double) {
    return false;
}
bool CControl::OnControlData(int, int, int, int, int) {
    return false;
}
bool CControl::OnControlCustom(int, int, int, int, int) {
    return false;
}

bool CControl::IsDrawingEnabled() const {
    return m_manager && m_manager->IsDrawingEnabled();
}

void CControl::FitAspect(const RECT& source, RECT& dest) {
    const LONG sw = source.right - source.left;
    const LONG sh = source.bottom - source.top;
    const LONG dw = dest.right - dest.left;
    const LONG dh = dest.bottom - dest.top;
    if (sw == 0 || sh == 0 || dh == 0)
        return;
    const double aspect = double(sw) / double(sh);
    if (aspect > double(dw) / double(dh)) {
        dest.top = 0;
        dest.bottom = Truncate(dw / aspect);
        OffsetRect(dest, 0, LONG((std::int64_t(dh) - dest.bottom) >> 1));
    } else {
        dest.left = 0;
        dest.right = Truncate(dh * aspect);
        OffsetRect(dest, LONG((std::int64_t(dw) - dest.right) >> 1), 0);
    }
}
