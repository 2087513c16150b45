#include "controls/ButtonControl.h"

#include "controls/ControlEvent.h"
#include "controls/ControlManager.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "platform/DC.h"
#include "platform/Modal.h"

CButtonControl::CButtonControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                               const char* caption, std::uint32_t flags, DWORD extraStyle)
    : CControl(manager, parentWnd, id, designRect, CONTROL_STYLE_BUTTON), m_caption(caption ? caption : "") {
    m_flags = flags;
    m_style |= extraStyle;
    if (m_caption.empty()) {
        m_style |= BS_OWNERDRAW;
        m_flags |= CTL_OWNER_DRAWN;
    }
    if (Create(m_caption, m_style, m_rect, parentWnd, UINT(id)))
        m_wnd = this;
    else
        AfxMessageBox("Could not create CButtonControl", MB_OK);
}

CButtonControl::~CButtonControl() = default;

void CButtonControl::DrawItem(DRAWITEMSTRUCT* item) {
    if (!(m_flags & CTL_OWNER_DRAWN))
        return;
    const UINT state = item ? item->itemState : 0;
    m_flags &= ~(CTL_DISABLED | CTL_HOT | CTL_PRESSED);
    CWnd* wnd = GetWindow();
    if (wnd && !wnd->IsWindowEnabled())
        m_flags |= CTL_DISABLED;
    else if ((state & ODS_DISABLED) && (m_flags & CTL_SHOW_DISABLED))
        m_flags |= CTL_DISABLED;
    else
        m_flags |= CTL_ENABLED;
    if ((state & ODS_SELECTED) && (m_flags & CTL_SHOW_PRESSED))
        m_flags |= CTL_PRESSED;
    if ((state & ODS_HOTLIGHT) && (m_flags & CTL_SHOW_HOT))
        m_flags |= CTL_HOT;
    Draw(nullptr);
}

void CButtonControl::Clicked() {
    // The platform redraws a released button before it reports the click, so the new on state is
    // shown here.
    if (m_flags & CTL_TOGGLE) {
        m_flags ^= CTL_ON;
        Draw(nullptr);
    }
    SendEvent(m_id, EVENT_COMMAND, 0, 0, 0, 0);
}

void CButtonControl::SetOn(bool on) {
    m_flags &= ~(CTL_ON | CTL_PRESSED);
    if (on)
        m_flags |= CTL_ON;
    Draw(nullptr);
}

void CButtonControl::OnClicked() {
    Clicked();
}

void CButtonControl::OnDoubleClicked() {
    OnClicked();
}

void CButtonControl::OnMouseMove(UINT flags, POINT point) {
    OnMouseOver(flags, point.x, point.y);
    CButton::OnMouseMove(flags, point);
}

bool CButtonControl::SetImage(std::unique_ptr<CDIB> image) {
    return image && m_manager && SetImage(m_manager->GetDIBManager().Adopt(std::move(image)));
}

bool CButtonControl::SetImage(CDIBRef image) {
    if (!image)
        return false;
    m_flags |= CTL_SHOW_STATES;
    if (image == m_image)
        return true;
    m_image = std::move(image);
    ImageReplaced();
    Draw(nullptr);
    return true;
}

bool CButtonControl::SetImageFromFile(const char* path) {
    return m_manager && SetImage(m_manager->GetDIB(path, true));
}

void CButtonControl::ReleaseImage() {
    m_image.reset();
}

int CButtonControl::GetBand() const {
    if (m_flags & CTL_DISABLED)
        return 3;
    if ((m_flags & CTL_PRESSED) || ((m_flags & CTL_TOGGLE) && (m_flags & CTL_ON)))
        return 0;
    if (m_flags & CTL_HOT)
        return 1;
    return 2;
}

void CButtonControl::Draw(const RECT* area) {
    // A button with a caption shows the platform's own face.
    CWnd* wnd = GetWindow();
    if (!wnd || !(m_flags & CTL_OWNER_DRAWN) || !IsDrawingEnabled())
        return;
    CDC* dc = wnd->GetDC();
    if (!dc)
        return;
    if (m_image && m_manager) {
        const LONG width = m_image->GetWidth();
        const LONG band = m_image->GetHeight() / 4;
        const LONG top = GetBand() * band;
        const RECT source = {0, top, width, top + band};
        const RECT& size = area ? *area : m_rect;
        RECT dest = {0, 0, size.Width(), size.Height()};
        if (m_flags & CTL_KEEP_ASPECT)
            FitAspect(source, dest);
        m_image->Draw(dc, &dest, &source, m_manager->GetPalette(), FALSE);
    }
    wnd->ReleaseDC(dc);
}
