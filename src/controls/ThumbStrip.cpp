#include "controls/ThumbStrip.h"

#include "controls/ControlManager.h"
#include "controls/HoldControl.h"
#include "imaging/DIB.h"

#include <algorithm>
#include <string>

CThumbStrip::CThumbStrip(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                         std::uint32_t flags, const char* folder, const char* pattern, int m, int g)
    : CControlStrip(manager, parentWnd, id, designRect, flags, m, g) {
    // Unlike a plain strip it may become hot.
    m_flags = flags | CTL_LAYS_OUT_CHILDREN;
    m_directory.SetDefaultPattern(pattern ? pattern : "*.bmp");
    if (folder)
        m_directory.SetFolders(folder, "");
    if (manager)
        manager->AddListener(this);
}

CThumbStrip::~CThumbStrip() = default;

bool CThumbStrip::AddControl(CControl* control) {
    return dynamic_cast<CHoldControl*>(control) && CControlStrip::AddControl(control);
}

CHoldControl* CThumbStrip::Cell(int index) const {
    return static_cast<CHoldControl*>(GetControl(index));
}

void CThumbStrip::SetBackButton(CControl* button) {
    m_backButton = button;
    if (button)
        button->SetParentControl(this);
    UpdateScrollButtons();
}

void CThumbStrip::SetForwardButton(CControl* button) {
    m_forwardButton = button;
    if (button)
        button->SetParentControl(this);
    UpdateScrollButtons();
}

void CThumbStrip::SetFolder(const char* folder, const char* ownFolder) {
    m_firstIndex = 0;
    m_refused.clear();
    if (folder)
        m_directory.SetFolders(folder, ownFolder ? ownFolder : "");
    Refresh();
}

bool CThumbStrip::ShowPicture(const std::string& path) {
    m_directory.Scan();
    const int index = m_directory.IndexOf(path);
    if (index >= 0)
        m_firstIndex = std::clamp(m_firstIndex, std::max(0, index - GetCount() + 1), index);
    m_firstIndex = std::min(m_firstIndex, LastFirstIndex());
    Refresh();
    return index >= 0;
}

int CThumbStrip::Refresh() {
    int shown = 0;
    std::string path;
    for (int i = 0; i < GetCount(); ++i) {
        CHoldControl* cell = Cell(i);
        if (m_directory.GetFilePath(m_firstIndex + i, &path)) {
            if (!cell->GetImage() || cell->GetImage()->GetName() != path)
                Load(cell, path);
            ++shown;
        } else if (cell->GetImage() || cell->GetThumbnail()) {
            // A cell past the folder's last picture must not offer a picture of the folder shown before.
            cell->ClearImage();
        }
    }
    UpdateScrollButtons();
    return shown;
}

int CThumbStrip::LastFirstIndex() const {
    // With fewer pictures than cells the window stays at the start.
    return std::max(0, m_directory.GetCount() - GetCount());
}

void CThumbStrip::UpdateScrollButtons() {
    if (m_forwardButton)
        m_forwardButton->Enable(m_firstIndex < m_directory.GetCount() - GetCount());
    if (m_backButton)
        m_backButton->Enable(m_firstIndex > 0);
}

void CThumbStrip::LoadEntry(CHoldControl* cell, int index) {
    cell->ShowOverlay(true);
    std::string path;
    if (m_directory.GetFilePath(index, &path))
        Load(cell, path);
}

void CThumbStrip::Load(CHoldControl* cell, const std::string& path) {
    // A file the reader refused once is not read again on every redraw; its cell stays empty rather than
    // go on offering the picture it showed before.
    if (!m_refused.count(path) && cell->SetImageFromFile(path.c_str()))
        return;
    m_refused.insert(path);
    if (cell->GetImage() || cell->GetThumbnail())
        cell->ClearImage();
    else
        cell->ShowOverlay(false);
}

void CThumbStrip::ScrollBack() {
    const bool moves = m_firstIndex > 0;
    m_firstIndex = moves ? m_firstIndex - 1 : 0;
    UpdateScrollButtons();
    const int n = GetCount();
    if (!moves || n == 0)
        return;
    for (int i = n - 2; i >= 0; --i)
        Cell(i + 1)->TakeImageFrom(Cell(i));
    LoadEntry(Cell(0), m_firstIndex);
}

void CThumbStrip::ScrollForward() {
    const int last = LastFirstIndex();
    const bool moves = m_firstIndex < last;
    m_firstIndex = moves ? m_firstIndex + 1 : last;
    UpdateScrollButtons();
    const int n = GetCount();
    if (!moves || n == 0)
        return;
    for (int i = 0; i + 1 < n; ++i)
        Cell(i)->TakeImageFrom(Cell(i + 1));
    LoadEntry(Cell(n - 1), m_firstIndex + n - 1);
}

bool CThumbStrip::OnControlEvent(int id, WPARAM) {
    if (m_backButton && id == m_backButton->GetId())
        ScrollBack();
    else if (m_forwardButton && id == m_forwardButton->GetId())
        ScrollForward();
    else
        return false;
    return true;
}

void CThumbStrip::Draw(const RECT* area) {
    CControlStrip::Draw(area);
    Refresh();
}

void CThumbStrip::Rescale() {
    // The strip's own place; the row of equal cells of a plain strip would only be replaced below.
    CControl::Rescale();
    const int n = GetCount();
    if (n == 0)
        return;
    const RECT& r = m_rect;
    const bool vertical = m_flags & CTL_VERTICAL;
    // Lengths and gaps run along the strip; a button keeps the length it has.
    const auto length = [vertical](const CControl* button) -> LONG {
        return !button ? 0 : vertical ? button->GetRect().Height() : button->GetRect().Width();
    };
    const LONG back = length(m_backButton), forward = length(m_forwardButton);
    const LONG gap = vertical ? m_g : m_m;
    const LONG start = vertical ? r.top : r.left, end = vertical ? r.bottom : r.right;
    const LONG cell =
        (end - gap * (n + 1) - start - (forward ? gap : 0) - (back ? gap : 0) - forward - back) / n;
    LONG at = start + gap;
    const auto place = [&](CControl* control, LONG size) {
        control->MoveTo(vertical ? RECT{r.left + m_m, at, r.right - m_m, at + size}
                                 : RECT{at, r.top + m_g, at + size, r.bottom - m_g});
        at += size + gap;
    };
    // A button without length takes no place, as a missing one.
    if (back)
        place(m_backButton, back);
    for (int i = 0; i < n; ++i)
        place(Cell(i), cell);
    if (forward)
        place(m_forwardButton, forward);
}
