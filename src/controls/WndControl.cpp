#include "controls/WndControl.h"

#include "controls/ControlManager.h"
#include "platform/Modal.h"

CWndControl::CWndControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect)
    : CControl(manager, parentWnd, id, designRect, CONTROL_STYLE_PLAIN) {
    if (Create("", m_style, m_rect, parentWnd, UINT(id)))
        m_wnd = this;
    else
        AfxMessageBox("Could not create CWndControl", MB_OK);
}

CWndControl::~CWndControl() = default;

void CWndControl::OnLeftButtonDown(UINT, int, int) {}

void CWndControl::OnLeftButtonUp(UINT, int, int) {}

void CWndControl::Draw(const RECT*) {}

void CWndControl::OnPaint() {
    Draw(nullptr);
    ValidateRect(nullptr);
}

void CWndControl::TrackMouse(POINT point) {
    m_currentMouse = point;
}

void CWndControl::OnMouseMove(UINT flags, POINT point) {
    TrackMouse(point);
    OnMouseOver(flags, point.x, point.y);
    CWnd::OnMouseMove(flags, point);
}

void CWndControl::OnLButtonDown(UINT flags, POINT point) {
    TrackMouse(point);
    OnLeftButtonDown(flags, point.x, point.y);
    CWnd::OnLButtonDown(flags, point);
}

void CWndControl::OnLButtonUp(UINT flags, POINT point) {
    TrackMouse(point);
    OnLeftButtonUp(flags, point.x, point.y);
    CWnd::OnLButtonUp(flags, point);
}
