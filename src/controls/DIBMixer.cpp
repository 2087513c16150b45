#include "controls/DIBMixer.h"

#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/DC.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "platform/WaitForClick.h"
#include <string>
#include <utility>
#include <vector>

namespace {
constexpr int lastHelpPage = 20;

bool IsOn(const CButtonControl* button) {
    return button && button->IsOn();
}

bool Is(const CButtonControl* button, int id) {
    return button && button->GetId() == id;
}
} // namespace

CDIBMixer::CDIBMixer(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                     std::uint32_t flags)
    : CWndControl(manager, parentWnd, id, designRect) {
    m_flags |= flags | CTL_NEVER_HOT;
    if (manager)
        manager->AddListener(this);
    if (!m_blendTable.Build())
        AfxMessageBox("Error: could not setup the alphablending 64K lookup table... out of memory");
    m_composer.SetBlendTable(m_blendTable.Data());
}

CDIBMixer::~CDIBMixer() {
    // The strip must not reach a picture area that is gone.
    if (m_layerStrip && m_layerStrip->GetCompositor() == this)
        m_layerStrip->SetCompositor(nullptr);
    m_layerStrip = nullptr;
    m_selectedSlot = nullptr;
    m_moveButton = m_textButton = m_interactiveUpdateButton = m_helpButton = nullptr;
}

void CDIBMixer::SetButtons(CButtonControl* move, CButtonControl* text, CButtonControl* interactiveUpdate,
                           CButtonControl* help) {
    m_moveButton = move;
    m_textButton = text;
    m_interactiveUpdateButton = interactiveUpdate;
    m_helpButton = help;
}

bool CDIBMixer::RecreateCanvas(int width, int height) {
    if (!m_canvas.Create(width, height, 24))
        return false;
    m_flags |= CMX_CANVAS_READY;
    m_canvas.SetStretchMode(TestDisplayFlag(DISPLAY_PALETTE) ? HALFTONE : COLORONCOLOR);
    return true;
}

void CDIBMixer::Rescale() {
    CWndControl::Rescale();
    if (!m_manager)
        return;
    if (!RecreateCanvas(m_rect.Width(), m_rect.Height()))
        return;
    ComposeCanvas(nullptr, TRUE, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
    Draw(nullptr);
}

void CDIBMixer::Draw(const RECT*) {
    CDC* dc = GetDC();
    if (!dc)
        return;
    const RECT whole{0, 0, m_canvas.GetWidth(), m_canvas.GetHeight()};
    m_canvas.Draw(dc, &whole, &whole, m_manager ? m_manager->GetPalette() : nullptr, TRUE);
    DrawSelectionFrame(dc);
    DrawOffCanvasArrow(dc);
    ReleaseDC(dc);
}

void CDIBMixer::BeginDrag() {
    std::vector<const CDIBSlot*> moving{m_selectedSlot};
    if (m_selectedSlot)
        for (const CDIBSlot* text : AttachedTexts(*m_selectedSlot))
            moving.push_back(text);
    m_composer.BeginDrag(std::move(moving));
}

void CDIBMixer::EndDrag() {
    m_composer.EndDrag();
}

void CDIBMixer::SwitchOff(CButtonControl* button) {
    if (button)
        button->SwitchOff();
}

void CDIBMixer::ComposeCanvas(RECT* rect, BOOL blend, COLORREF key, COLORREF background) {
    if (!m_manager)
        return;
    Compose(rect, blend, key, background, m_manager->GetScaleX(), m_manager->GetScaleY());
}

void CDIBMixer::Compose(RECT* rect, bool blend, COLORREF key, COLORREF background, double sx, double sy) {
    if (!(m_flags & CMX_CANVAS_READY))
        return;
    m_composer.Compose(m_canvas, m_slots, sx, sy, rect, blend, key, background);
}

bool CDIBMixer::OnControlEvent(int id, WPARAM) {
    if (Is(m_moveButton, id) || Is(m_textButton, id)) {
        // Switched on, the button selects the slot of the strip's selected layer (if it has one).
        if (IsOn(Is(m_moveButton, id) ? m_moveButton : m_textButton) && m_layerStrip) {
            if (const CLayerControl* layer = m_layerStrip->GetSelected())
                SelectSlotOfKey(layer->GetContentKey());
        } else {
            SelectDibSlot(nullptr);
        }
    } else if (Is(m_interactiveUpdateButton, id)) {
        m_interactiveUpdate = IsOn(m_interactiveUpdateButton);
    } else if (Is(m_helpButton, id)) {
        if (!m_helpShowing)
            ShowHelp();
    } else {
        // What else changes the picture (the layer strip, the view's commands) recomposes by itself.
        return false;
    }
    return true;
}

void CDIBMixer::ShowHelp() {
    m_helpShowing = IsOn(m_helpButton);
    int page = 0;
    while (ShowHelpPage(page) == HelpPage::turned && page < lastHelpPage)
        ++page;
    m_helpShowing = false;
    SwitchOff(m_helpButton);
    // The last page would stay on the picture area until its next paint.
    Draw(nullptr);
}

CDIBMixer::HelpPage CDIBMixer::ShowHelpPage(int n) {
    if (n < 0 || !GetSafeHwnd())
        return HelpPage::missing;
    CDIB page;
    if (!page.Load(MakeFullPath(m_helpPrefix) + std::to_string(n) + ".bmp"))
        return HelpPage::missing;
    CDC* dc = GetDC();
    if (!dc)
        return HelpPage::missing;
    const RECT source{0, 0, page.GetWidth(), page.GetHeight()};
    const RECT dest{0, 0, m_rect.Width(), m_rect.Height()};
    page.Draw(dc, &dest, &source, m_manager ? m_manager->GetPalette() : nullptr, TRUE);
    ReleaseDC(dc);
    return WaitForClick(this) == WaitEnd::clickOnWindow ? HelpPage::turned : HelpPage::left;
}
