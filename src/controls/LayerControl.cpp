#include "controls/LayerControl.h"

#include "composition/LayerLabel.h"
#include "controls/ControlManager.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "platform/DC.h"

#include <utility>

namespace {
constexpr DWORD toggleStyle = 0x50011003;
constexpr COLORREF selectedField = RGB(103, 154, 215);
constexpr COLORREF normalField = RGB(171, 203, 171);
constexpr COLORREF hotText = RGB(150, 30, 30);
constexpr COLORREF enabledText = RGB(25, 30, 230);
constexpr COLORREF selectedText = RGB(80, 30, 30);

// The width of the thumbnail field of a layer control h pixels high.
LONG ThumbnailWidth(LONG h) {
    return 4 * h / 3;
}

// Where the hide toggle lies in a layer control h pixels high, relative to the control's window.
RECT ToggleRect(LONG h) {
    const LONG x = ThumbnailWidth(h) + 2;
    return {x, 0, x + h - 2, h};
}
} // namespace

CLayerControl::CLayerControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                             const char* caption, DWORD extraStyle, const char* togglePicture, int toggleId,
                             int marginX, int marginY)
    : CHoldControl(manager, parentWnd, id, designRect, caption, CTL_KEEP_ASPECT | CTL_LAYS_OUT_CHILDREN,
                   extraStyle, marginX, marginY) {
    if (!togglePicture)
        return;
    auto* toggle = new CButtonControl(manager, this, toggleId, ToggleRect(m_rect.Height()), nullptr,
                                      CTL_TOGGLE, toggleStyle);
    // Only the manager can own the toggle: without one it would belong to nobody.
    if (!manager || !manager->AddControl(toggle)) {
        delete toggle;
        return;
    }
    m_toggle = toggle;
    // The layer places its toggle; the manager's rescaling leaves it where the layer put it.
    m_toggle->SetParentControl(this);
    m_toggle->SetImageFromFile(togglePicture);
}

bool CLayerControl::PutContent(CHoldControl* source, std::uint32_t key, std::string label) {
    if (!source || !source->GetImage())
        return false;
    CopyImageFrom(source);
    ContentPut(key, std::move(label));
    return true;
}

bool CLayerControl::PutContent(CDIBRef picture, std::uint32_t key, std::string label) {
    if (!SetImage(std::move(picture)))
        return false;
    ContentPut(key, std::move(label));
    return true;
}

bool CLayerControl::PutContent(std::unique_ptr<CDIB> picture, std::uint32_t key, std::string label) {
    return m_manager &&
           PutContent(m_manager->GetDIBManager().Adopt(std::move(picture)), key, std::move(label));
}

void CLayerControl::ContentPut(std::uint32_t key, std::string label) {
    m_contentKey = key;
    m_label = std::move(label);
    m_text.reset();
    m_attachedTo = 0;
    m_changed = true;
    // The label shows from here.
    Draw(nullptr);
}

void CLayerControl::SetText(std::optional<LayerText> text, std::uint32_t attachedTo) {
    m_text = std::move(text);
    m_attachedTo = m_text ? attachedTo : 0;
    if (m_text)
        m_label = TextLabel(m_text->text);
    Draw(nullptr);
}

bool CLayerControl::SwapLayerWith(CLayerControl* other) {
    if (!other || !m_toggle || !other->m_toggle)
        return false;
    const bool hidden = m_toggle->IsOn();
    m_toggle->SetOn(other->m_toggle->IsOn());
    other->m_toggle->SetOn(hidden);
    std::swap(m_contentKey, other->m_contentKey);
    std::swap(m_label, other->m_label);
    std::swap(m_text, other->m_text);
    std::swap(m_attachedTo, other->m_attachedTo);
    m_changed = other->m_changed = true;
    return SwapImagesWith(other);
}

void CLayerControl::ClearImage() {
    if (m_toggle)
        m_toggle->SetOn(false);
    m_contentKey = 0;
    m_label.clear();
    m_text.reset();
    m_attachedTo = 0;
    m_changed = true;
    CHoldControl::ClearImage();
}

void CLayerControl::SetHidden(bool hidden) {
    if (m_toggle)
        m_toggle->SetOn(hidden);
    m_changed = true;
}

void CLayerControl::OnToggled() {
    m_changed = true;
    Draw(nullptr);
}

void CLayerControl::Rescale() {
    CHoldControl::Rescale();
    if (!m_toggle)
        return;
    m_toggle->MoveTo(ToggleRect(m_rect.Height()));
}

void CLayerControl::Draw(const RECT* area) {
    CWnd* wnd = GetWindow();
    if (!wnd || !IsDrawingEnabled())
        return;
    CDC* dc = wnd->GetDC();
    if (!dc)
        return;
    const RECT& place = area ? *area : m_rect;
    const LONG h = place.Height();
    const LONG g = ThumbnailWidth(h);
    const RECT thumbnail = {place.left, place.top, place.left + g, place.top + h};
    RECT text = {g + h, 0, place.Width(), h};
    const LONG toggleWidth = m_toggle ? m_toggle->GetRect().Width() : 0;
    dc->FillSolidRect(text, (m_flags & CTL_SELECTED) ? selectedField : normalField);
    if (m_flags & CTL_HOT) {
        dc->DrawEdge(&text, EDGE_RAISED, BF_RECT);
        dc->SetTextColor(hotText);
    } else if (m_flags & CTL_ENABLED) {
        dc->DrawEdge(&text, EDGE_SUNKEN, BF_RECT);
        dc->SetTextColor(enabledText);
    }
    if (m_flags & CTL_SELECTED)
        dc->SetTextColor(selectedText);
    if (!m_label.empty()) {
        const SIZE extent = dc->GetTextExtent(m_label);
        InflateRect(text, -2, -2);
        dc->SetBkMode(TRANSPARENT);
        dc->ExtTextOut(toggleWidth + g + 8, (text.bottom - text.top - extent.cy) >> 1, ETO_CLIPPED, &text,
                       m_label);
    }
    CHoldControl::Draw(&thumbnail);
    if (m_toggle)
        m_toggle->Draw(nullptr);
    wnd->ReleaseDC(dc);
}
