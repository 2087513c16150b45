#include "controls/HoldControl.h"

#include "controls/ControlManager.h"
#include "imaging/DIB.h"
#include "platform/DC.h"

#include <utility>

namespace {
constexpr int thumbnailWidth = 100;
constexpr int thumbnailHeight = 75;
constexpr COLORREF fieldColour = RGB(171, 213, 171);
// The proportions an empty cell shows its overlay with.
constexpr RECT emptyAspect = {0, 0, 40, 30};
} // namespace

CHoldControl::CHoldControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                           const char* caption, std::uint32_t flags, DWORD extraStyle, int marginX,
                           int marginY)
    : CButtonControl(manager, parentWnd, id, designRect, caption, flags, extraStyle), m_marginX(marginX),
      m_marginY(marginY) {}

CHoldControl::~CHoldControl() = default;

bool CHoldControl::DeleteThumbnail() {
    if (!m_thumbnail)
        return false;
    m_thumbnail.reset();
    return true;
}

void CHoldControl::ImageReplaced() {
    DeleteThumbnail();
    if (m_image && m_manager) {
        CPalette* palette = m_manager->GetPalette();
        m_thumbnail = m_image->CreateScaled(thumbnailWidth, thumbnailHeight, palette ? 8 : 0, palette);
    }
    m_flags &= ~CTL_SHOW_OVERLAY;
}

bool CHoldControl::SetImageFromFile(const char* path) {
    if (!path || !*path || !m_manager)
        return false;
    return SetImage(m_manager->GetDIB(path, false));
}

bool CHoldControl::TakeImageFrom(CHoldControl* other) {
    if (!other)
        return false;
    m_image = std::exchange(other->m_image, {});
    m_thumbnail = std::move(other->m_thumbnail);
    m_flags &= ~CTL_SHOW_OVERLAY;
    Draw(nullptr);
    return true;
}

bool CHoldControl::CopyImageFrom(CHoldControl* other) {
    if (!other || !other->m_image)
        return false;
    m_flags = (m_flags | CTL_SHOW_STATES) & ~CTL_SHOW_OVERLAY;
    // Copied before this control lets go of anything: other may be this control.
    std::unique_ptr<CDIB> thumbnail = other->m_thumbnail ? other->m_thumbnail->Clone() : nullptr;
    const bool hadThumbnail = other->m_thumbnail != nullptr;
    m_image = other->m_image;
    // Without a copy this control must not go on showing the thumbnail of its former picture.
    m_thumbnail = std::move(thumbnail);
    Draw(nullptr);
    return hadThumbnail;
}

bool CHoldControl::SwapImagesWith(CHoldControl* other) {
    if (!other)
        return false;
    std::swap(m_image, other->m_image);
    std::swap(m_thumbnail, other->m_thumbnail);
    std::swap(m_flags, other->m_flags);
    other->Draw(nullptr);
    Draw(nullptr);
    return true;
}

void CHoldControl::ClearImage() {
    ReleaseImage();
    DeleteThumbnail();
    m_flags &= ~CTL_SHOW_OVERLAY;
    Draw(nullptr);
}

void CHoldControl::ShowOverlay(bool show) {
    if (SetFlags(CTL_SHOW_OVERLAY, show))
        Draw(nullptr);
}

bool CHoldControl::SetOverlayFromFile(const char* path) {
    if (!m_manager)
        return false;
    CDIBRef overlay = m_manager->GetDIB(path, false);
    if (!overlay)
        return false;
    m_flags |= CTL_HAS_OVERLAY;
    m_overlay = std::move(overlay);
    return true;
}

void CHoldControl::Draw(const RECT* area) {
    CWnd* wnd = GetWindow();
    // Nothing to draw while drawing is off: not even a context is asked for, so that no surface is made.
    if (!wnd || !m_manager || !IsDrawingEnabled())
        return;
    CDC* dc = wnd->GetDC();
    if (!dc)
        return;
    const RECT& size = area ? *area : m_rect;
    RECT frame = {0, 0, size.Width(), size.Height()};
    RECT field = {m_marginX, m_marginY, frame.right - m_marginX, frame.bottom - m_marginY};
    const CDIB* shape = m_image ? m_image.get() : m_thumbnail.get();
    const RECT aspect = shape ? RECT{0, 0, shape->GetWidth(), shape->GetHeight()} : emptyAspect;
    dc->FillSolidRect(field, fieldColour);
    if (m_flags & CTL_PRESSED)
        OffsetRect(field, -1, 1);
    const CDIB* picture = m_image.get();
    if ((m_flags & CTL_SHOW_OVERLAY) && m_overlay)
        picture = m_overlay.get();
    else if (m_thumbnail)
        picture = m_thumbnail.get();
    if (picture) {
        if (m_flags & CTL_KEEP_ASPECT)
            FitAspect(aspect, field);
        const RECT source = {0, 0, picture->GetWidth(), picture->GetHeight()};
        picture->Draw(dc, &field, &source, m_manager->GetPalette(), TRUE);
    }
    if (m_flags & CTL_PRESSED) {
        dc->DrawEdge(&frame, EDGE_RAISED, BF_RECT);
        InflateRect(frame, -(m_marginX >> 1), -(m_marginY >> 1));
        dc->DrawEdge(&frame, EDGE_SUNKEN, BF_RECT);
    } else if (m_flags & CTL_HOT) {
        dc->DrawEdge(&frame, EDGE_RAISED, BF_RECT);
    } else if (m_flags & CTL_ENABLED) {
        dc->DrawEdge(&frame, EDGE_ETCHED, BF_RECT);
    } else if (m_flags & CTL_DISABLED) {
        dc->DrawEdge(&frame, EDGE_SUNKEN, BF_RECT);
    }
    wnd->ReleaseDC(dc);
}
