#include "composition/DIBMixer.h"

#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/DC.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "platform/WaitForClick.h"
#include <algorithm>
#include <new>
#include <string>

namespace {
constexpr int lastHelpPage = 20;

bool IsOn(const CButtonControl* button) {
    return button && button->IsOn();
}

bool Is(const CButtonControl* button, int id) {
    return button && button->GetId() == id;
}

SlotPlacement PlacementOf(const CDIBSlot& slot) {
    return {slot.m_x, slot.m_y, slot.m_width, slot.m_height};
}

// Grows rect by the area the slot covers.
void Unite(RECT* rect, const CDIBSlot& slot) {
    CLayerStrip::UniteSlotArea(rect, PlacementOf(slot));
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

BOOL CDIBMixer::AddDibSlot(std::unique_ptr<CDIBSlot> slot) {
    if (!slot)
        return FALSE;
    try {
        m_slots.push_back(std::move(slot));
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Error: could not add a dibslot to the dibmixer");
        return FALSE;
    }
    return TRUE;
}

CDIBSlot* CDIBMixer::FindDibSlot(std::uint32_t key, int* index) const {
    if (key == 0)
        return nullptr;
    // Places are empty only while the slots follow the strip.
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i] && m_slots[i]->m_key == key) {
            if (index)
                *index = int(i);
            return m_slots[i].get();
        }
    }
    return nullptr;
}

void CDIBMixer::SelectDibSlot(CDIBSlot* slot) {
    if (slot) {
        m_selectedSlot = slot;
        m_flags |= CMX_SLOT_SELECTED;
    } else {
        ForgetSelectedSlot();
    }
    Recompose(TRUE);
}

void CDIBMixer::ForgetSelectedSlot() {
    m_selectedSlot = nullptr;
    SwitchOff(m_moveButton);
    SwitchOff(m_textButton);
    m_flags &= ~CMX_SLOT_SELECTED;
}

bool CDIBMixer::SelectSlotOfKey(std::uint32_t key) {
    CDIBSlot* slot = FindDibSlot(key);
    if (!slot)
        return false;
    SelectDibSlot(slot);
    return true;
}

bool CDIBMixer::FindSlotPlacement(std::uint32_t key, SlotPlacement* placement) const {
    const CDIBSlot* slot = FindDibSlot(key);
    if (!slot || !placement)
        return false;
    *placement = PlacementOf(*slot);
    return true;
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

void CDIBMixer::Recompose(BOOL blend) {
    RECT changed{};
    UpdateFromLayerStrip(&changed);
    ComposeCanvas(&changed, blend, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
    Draw(nullptr);
}

BOOL CDIBMixer::UpdateFromLayerStrip(RECT* rect) {
    if (!m_layerStrip)
        return FALSE;
    RECT ignored{};
    if (!rect)
        rect = &ignored;
    std::vector<std::unique_ptr<CDIBSlot>> kept;
    for (int i = 0; i < m_layerStrip->GetCount(); ++i) {
        CLayerControl* layer = m_layerStrip->GetLayer(i);
        if (!layer)
            continue;
        if (layer->m_changed) {
            m_layerStrip->UniteLayerArea(rect, layer);
            layer->m_changed = false;
        }
        if (layer->m_contentKey == 0)
            continue;
        std::unique_ptr<CDIBSlot> slot = TakeDibSlot(layer->m_contentKey);
        if (!slot) {
            slot = MakeDibSlot(*layer);
            if (!slot)
                continue;
            Unite(rect, *slot);
        }
        const std::int32_t shown = layer->IsShown() ? 1 : 0;
        if (slot->m_visible != shown) {
            Unite(rect, *slot);
            slot->m_visible = shown;
        }
        if (slot->m_changed) {
            RECT area = slot->m_changedArea;
            NormalizeRect(area);
            if (IsRectEmpty(area)) {
                Unite(rect, *slot);
            } else {
                RECT current = *rect;
                NormalizeRect(current);
                UnionRect(*rect, current, area);
            }
            slot->m_changed = 0;
            slot->m_changedArea = {};
        }
        try {
            kept.push_back(std::move(slot));
        } catch (const std::bad_alloc&) {
            AfxMessageBox(
                "Error: CDIBMixer::UpdateFromLayerStrip() could not add a dibslot to the temporary dibslots");
            if (slot.get() == m_selectedSlot)
                ForgetSelectedSlot();
        }
    }
    // What is left lost its layer: its area shows something else now.
    for (const auto& slot : m_slots) {
        if (!slot)
            continue;
        Unite(rect, *slot);
        if (slot.get() == m_selectedSlot)
            ForgetSelectedSlot();
    }
    // The slots were all taken out or dropped, so the kept ones become the slots as they are, in order.
    m_slots = std::move(kept);
    return TRUE;
}

std::unique_ptr<CDIBSlot> CDIBMixer::TakeDibSlot(std::uint32_t key) {
    int index = 0;
    if (!FindDibSlot(key, &index))
        return nullptr;
    return std::move(m_slots[std::size_t(index)]);
}

std::unique_ptr<CDIBSlot> CDIBMixer::MakeDibSlot(const CLayerControl& layer) {
    std::unique_ptr<CDIBSlot> slot(new (std::nothrow) CDIBSlot);
    if (!slot) {
        AfxMessageBox("Error: CDIBMixer::UpdateFromLayerStrip() could not add generate a dibslot");
        return nullptr;
    }
    if (!slot->CreateFromLayerDib(layer.GetImage(), layer.m_contentKey)) {
        AfxMessageBox(
            "Error: CDIBMixer::UpdateFromLayerStrip() could not add create a dibslot from a layer's dib");
        return nullptr;
    }
    return slot;
}

CDIBMixer::TargetCanvas CDIBMixer::ComposeForTarget(const RECT* target) {
    const double sx = m_manager->GetScaleX(), sy = m_manager->GetScaleY();
    const int width = m_canvas.GetWidth(), height = m_canvas.GetHeight();
    if (!target || sx == 0 || sy == 0 || (target->Width() == width && target->Height() == height))
        return TargetCanvas::None;
    // The factors that put the picture's design size onto the target; the manager's stay as they are.
    const double designWidth = width / sx, designHeight = height / sy;
    if (designWidth == 0 || designHeight == 0)
        return TargetCanvas::NoDesignSize;
    if (!RecreateCanvas(target->Width(), target->Height()))
        return TargetCanvas::Kept;
    Compose(nullptr, true, MIXER_KEY_COLOUR, MIXER_BACKGROUND, target->Width() / designWidth,
            target->Height() / designHeight);
    return TargetCanvas::Recreated;
}

void CDIBMixer::RestoreCanvas(TargetCanvas state, int width, int height) {
    if (state == TargetCanvas::Recreated && RecreateCanvas(width, height))
        ComposeCanvas(nullptr, TRUE, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
}

BOOL CDIBMixer::RenderToDC(CDC* dc, const RECT* dest, const RECT* target) {
    if (!dc || !GetSafeHwnd() || !m_manager || m_canvas.IsEmpty())
        return FALSE;
    const int width = m_canvas.GetWidth(), height = m_canvas.GetHeight();
    const RECT destination =
        dest ? RECT{0, 0, dest->Width(), dest->Height()} : RECT{0, 0, m_rect.Width(), m_rect.Height()};
    const TargetCanvas state = ComposeForTarget(target);
    if (state == TargetCanvas::NoDesignSize)
        return TRUE;
    // With a target the picture is drawn from the target's area, also when the canvas could not be made
    // at its size (a 0 x 0 target then draws nothing).
    const RECT whole{0, 0, width, height};
    m_canvas.Draw(dc, &destination, state == TargetCanvas::None ? &whole : target, m_manager->GetPalette(),
                  TRUE);
    RestoreCanvas(state, width, height);
    return TRUE;
}

BOOL CDIBMixer::ExportBitmap(const char* path, const RECT* target, CDIB::FileFormat format, SIZE* written) {
    if (!path || !m_manager || m_canvas.IsEmpty())
        return FALSE;
    const int width = m_canvas.GetWidth(), height = m_canvas.GetHeight();
    const TargetCanvas state = ComposeForTarget(target);
    if (written)
        *written = {m_canvas.GetWidth(), m_canvas.GetHeight()};
    const BOOL saved = m_canvas.Save(path, CDIB::callerReportsFailure, format);
    RestoreCanvas(state, width, height);
    return saved;
}

void CDIBMixer::GetLargestSlotSize(int* width, int* height) const {
    if (!width || !height)
        return;
    for (const auto& slot : m_slots) {
        *width = std::max(*width, slot->GetWidth());
        *height = std::max(*height, slot->GetHeight());
    }
}

RECT CDIBMixer::GetLargestSlotTarget() const {
    int width = 0, height = 0;
    GetLargestSlotSize(&width, &height);
    return {0, 0, width, height};
}

bool CDIBMixer::FlatFormatOf(const std::string& path, CDIB::FileFormat* format) {
    const std::string extension = SplitPath(path).extension;
    if (extension != ".bmp" && extension != ".png")
        return false;
    if (format)
        *format = extension == ".png" ? CDIB::pngFile : CDIB::bmpFile;
    return true;
}

bool CDIBMixer::OnControlEvent(int id, WPARAM) {
    if (Is(m_moveButton, id) || Is(m_textButton, id)) {
        // Switched on, the button selects the slot of the strip's selected layer (if it has one).
        if (IsOn(Is(m_moveButton, id) ? m_moveButton : m_textButton) && m_layerStrip) {
            if (const CLayerControl* layer = m_layerStrip->GetSelected())
                SelectSlotOfKey(layer->m_contentKey);
        } else {
            SelectDibSlot(nullptr);
        }
    } else if (Is(m_interactiveUpdateButton, id)) {
        m_interactiveUpdate = IsOn(m_interactiveUpdateButton);
    } else if (Is(m_helpButton, id)) {
        if (!m_helpShowing)
            ShowHelp();
    } else {
        Recompose(TRUE);
    }
    return true;
}

void CDIBMixer::ShowHelp() {
    m_helpShowing = IsOn(m_helpButton);
    int page = 0;
    while (ShowHelpPage(page) && page < lastHelpPage)
        ++page;
    m_helpShowing = false;
    SwitchOff(m_helpButton);
    // The last page would stay on the picture area until its next paint.
    Draw(nullptr);
}

BOOL CDIBMixer::ShowHelpPage(int n) {
    if (n < 0 || !GetSafeHwnd())
        return FALSE;
    CDIB page;
    if (!page.Load(MakeFullPath(m_helpPrefix) + std::to_string(n) + ".bmp"))
        return FALSE;
    CDC* dc = GetDC();
    if (!dc)
        return FALSE;
    const RECT source{0, 0, page.GetWidth(), page.GetHeight()};
    const RECT dest{0, 0, m_rect.Width(), m_rect.Height()};
    page.Draw(dc, &dest, &source, m_manager ? m_manager->GetPalette() : nullptr, TRUE);
    ReleaseDC(dc);
    WaitForClick();
    return TRUE;
}
