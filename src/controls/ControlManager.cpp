#include "controls/ControlManager.h"

#include "controls/Control.h"
#include "controls/ControlEvent.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "platform/DC.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "platform/Wnd.h"

#include <new>
#include <utility>

namespace {
// Appends without letting an exhausted heap escape: the failure is reported and the array kept.
bool Append(std::vector<CControl*>& array, CControl* control, const char* failure) {
    try {
        array.push_back(control);
        return true;
    } catch (const std::bad_alloc&) {
        AfxMessageBox(failure, MB_OK);
        return false;
    }
}
} // namespace

CControlManager::CControlManager(CWnd* window, int messageGroup)
    : m_window(window), m_bitmaps(std::make_unique<CDIBManager>()) {
    m_messages.SetGroup(messageGroup);
}

void CControlManager::RemoveAll() {
    m_listeners.clear();
    m_hotControl = nullptr;
    // Taken out first, so that nothing a dying control triggers can reach a deleted one.
    std::vector<CControl*> controls = std::exchange(m_controls, {});
    for (CControl* control : controls)
        delete control;
    m_background.reset();
    m_window = nullptr;
    m_flags = 0;
    // The next first paint fixes the reference size anew and must lay out whatever is added by then.
    m_lastSize = {};
}

CControlManager::~CControlManager() {
    // The controls give their pictures back to the collection, so they go first.
    CControlManager::RemoveAll();
}

bool CControlManager::OnControlEvent(int, WPARAM) {
    return false;
}
bool CControlManager::OnControlIntA(int, int) {
    return false;
}
bool CControlManager::OnControlIntB(int, int) {
    return false;
}
bool CControlManager::OnControlValue(int, double) {
    return false;
}
bool CControlManager::OnControlData(int, int, int, int, int) {
    return false;
}
bool CControlManager::OnControlCustom(int, int, int, int, int) {
    return false;
}

bool CControlManager::AddControl(CControl* control) {
    if (!control || !Append(m_controls, control, "Error: could not add a control to the manager"))
        return false;
    control->m_manager = this;
    return true;
}

bool CControlManager::AddListener(CControl* control) {
    return control && Append(m_listeners, control,
                             "Error: could not add a listener to the notifier listeners collection");
}

CControl* CControlManager::FindControl(int id) const {
    for (CControl* control : m_controls)
        if (control->GetId() == id)
            return control;
    return nullptr;
}

CControl* CControlManager::FindControlByWindow(const CWnd* window) const {
    if (!window)
        return nullptr;
    for (CControl* control : m_controls)
        if (control->GetWindow() == window)
            return control;
    return nullptr;
}

CControl* CControlManager::GetControl(int index) const {
    return index >= 0 && index < GetControlCount() ? m_controls[std::size_t(index)] : nullptr;
}

void CControlManager::SetHotControl(CControl* control) {
    for (CControl* other : m_controls)
        if (other != control)
            other->SetHot(false);
    m_hotControl = control;
    if (control)
        control->SetHot(true);
}

void CControlManager::Resize(int width, int height) {
    // A view without area (minimised) has no layout worth keeping: the controls stay where they were.
    if (!(m_flags & CMF_REFERENCE_SIZE) || width <= 0 || height <= 0)
        return;
    if (width == m_lastSize.cx && height == m_lastSize.cy)
        return;
    m_lastSize = {width, height};
    m_scaleX = m_referenceSize.cx ? double(width) / m_referenceSize.cx : 0.00001;
    m_scaleY = m_referenceSize.cy ? double(height) / m_referenceSize.cy : 0.00001;
    for (std::size_t i = 0; i < m_controls.size(); ++i)
        m_controls[i]->Rescale();
}

bool CControlManager::PaintBackground(CDC* dc) {
    if (!m_window || !m_window->GetSafeHwnd())
        return false;
    RECT client;
    m_window->GetClientRect(&client);
    if (!(m_flags & CMF_REFERENCE_SIZE)) {
        if ((m_flags & CMF_BACKGROUND_PICTURE) && m_background)
            m_referenceSize = {m_background->GetWidth(), m_background->GetHeight()};
        else
            m_referenceSize = {DESIGN_WIDTH, DESIGN_HEIGHT};
        m_flags |= CMF_REFERENCE_SIZE;
        Resize(client.Width(), client.Height());
    }
    if (m_flags & CMF_BACKGROUND_COLOUR) {
        if (m_drawingEnabled) {
            if (CDC* own = m_window->GetDC()) {
                own->FillSolidRect(client, m_backgroundColour);
                m_window->ReleaseDC(own);
            }
        }
        return true;
    }
    if ((m_flags & CMF_BACKGROUND_PICTURE) && m_background && dc) {
        if (m_drawingEnabled) {
            const RECT source = {0, 0, m_background->GetWidth(), m_background->GetHeight()};
            if (!m_background->Draw(dc, &client, &source, GetPalette(), TRUE))
                return false;
        }
        return true;
    }
    return false;
}

bool CControlManager::SetBackground(const char* path) {
    if (!path) {
        m_background.reset();
        m_flags = (m_flags & ~CMF_BACKGROUND_PICTURE) | CMF_BACKGROUND_COLOUR;
        return true;
    }
    CDIBRef image = GetDIB(path, true);
    if (!image)
        return false;
    m_background = std::move(image);
    m_flags = (m_flags & ~CMF_BACKGROUND_COLOUR) | CMF_BACKGROUND_PICTURE;
    return true;
}

bool CControlManager::SetPalette(CDIB* image) {
    if (!image) {
        m_flags &= ~CMF_PALETTE;
        return true;
    }
    if (!image->CreatePalette(&m_palette))
        return false;
    m_flags |= CMF_PALETTE;
    return true;
}

CPalette* CControlManager::GetPalette() {
    return (m_flags & CMF_PALETTE) ? &m_palette : nullptr;
}

void CControlManager::CheckDisplay() {
    if (GetScreenColors() == -1)
        ClearDisplayFlag(DISPLAY_PALETTE);
    else
        SetDisplayFlag(DISPLAY_PALETTE);
}

void CControlManager::SetMinTrackSize(int width, int height) {
    m_minTrackSize = {width, height};
    m_flags |= CMF_MIN_TRACK_SIZE;
}

void CControlManager::GetMinMaxInfo(MINMAXINFO* info) const {
    if (info && (m_flags & CMF_MIN_TRACK_SIZE))
        info->ptMinTrackSize = {m_minTrackSize.cx, m_minTrackSize.cy};
}

CDIBRef CControlManager::GetDIB(const char* path, bool mapToPalette) {
    if (!path)
        return {};
    CDIBRef image = m_bitmaps->GetDIB(path);
    if (image && mapToPalette && (m_flags & CMF_PALETTE))
        image->MapToPalette(&m_palette);
    return image;
}

int CControlManager::ShowMessage(const std::string* text, UINT style) {
    return CMessageTable::ShowMessage(text, style);
}

bool CControlManager::Dispatch(const CControlEvent* event) {
    if (!event)
        return false;
    const int id = event->m_id;
    const CControlEvent& e = *event;
    // Kinds compare unsigned, so a negative kind is custom too.
    const std::uint32_t kind = std::uint32_t(e.m_kind);
    if (kind == EVENT_NONE || kind == EVENT_NONE_3)
        return true;
    // The manager's own handler first (the view's, when it overrides it), then every listener; the
    // count is read on every step so that a listener added meanwhile hears the event too.
    auto deliver = [&](auto handler) {
        handler(static_cast<CControlManager*>(this));
        for (std::size_t i = 0; i < m_listeners.size(); ++i)
            if (CControl* listener = m_listeners[i])
                handler(listener);
    };
    if (kind == EVENT_COMMAND) {
        deliver([&](auto* to) { to->OnControlEvent(id, WPARAM(e.m_p1)); });
    } else if (kind == EVENT_VALUE) {
        switch (e.m_p1) {
        case VALUE_INT_A:
            deliver([&](auto* to) { to->OnControlIntA(id, e.m_p3); });
            break;
        case VALUE_INT_B:
            deliver([&](auto* to) { to->OnControlIntB(id, e.m_p3); });
            break;
        case VALUE_DOUBLE:
            deliver([&](auto* to) { to->OnControlValue(id, e.GetDouble()); });
            break;
        default:
            deliver([&](auto* to) { to->OnControlData(id, e.m_p1, e.m_p2, e.m_p3, e.m_p4); });
            break;
        }
    } else {
        deliver([&](auto* to) { to->OnControlCustom(id, e.m_p1, e.m_p2, e.m_p3, e.m_p4); });
    }
    return true;
}
