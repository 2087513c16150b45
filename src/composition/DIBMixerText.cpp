// The text layer of the picture area: text typed by the user becomes the content of the selected layer.

#include "composition/DIBMixer.h"

#include "controls/ButtonControl.h"
#include "controls/ContentKey.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/Cursor.h"
#include "platform/DC.h"
#include <new>

namespace {
constexpr int areaWidth = 800, areaHeight = 600;
// A record without a height asks for the default size: one that reads well in a balloon picture, which
// is shown at the same scale as the text.
constexpr LONG defaultTextHeight = 28;

// The text, word-wrapped within width x height, on a white picture just large enough for it (the whole
// area when it does not fit, cut at its bottom). None when it cannot be drawn.
std::unique_ptr<CDIB> RenderText(const std::string& text, CFont* font, COLORREF colour, bool centred,
                                 int width, int height) {
    CBitmap bitmap;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr) || !bitmap.CreateCompatibleBitmap(&dc, width, height))
        return nullptr;
    dc.SelectObject(&bitmap);
    // Drawn on the white of the picture, so that text of any colour but white itself stands out of it and
    // the smoothed edges of an antialiased font fade into the white of a balloon rather than into a dark
    // halo.
    const RECT area{0, 0, width, height};
    dc.FillSolidRect(area, MIXER_KEY_COLOUR);
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colour);
    // Typed text means every ampersand it holds.
    const UINT format = DT_WORDBREAK | DT_NOPREFIX | (centred ? DT_CENTER : DT_LEFT);
    RECT measured = area;
    dc.DrawText(text, &measured, format | DT_CALCRECT);
    const bool fits = measured.Width() <= width && measured.Height() <= height;
    RECT textRect = fits ? measured : area;
    dc.DrawText(text, &textRect, format);

    auto image = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    const int w = textRect.Width(), h = textRect.Height();
    if (!image || !image->Create(w, h, 24))
        return nullptr;
    // The last column and row stay white.
    image->CopyFromDevice(&dc, w - 1, h - 1, MIXER_KEY_COLOUR);
    return image;
}
} // namespace

BOOL CDIBMixer::SetTextLayer(const std::string& text, const LOGFONT* font, COLORREF colour, int centred) {
    if (text.empty() || !m_manager)
        return FALSE;
    SelectDibSlot(nullptr);
    CLayerControl* layer = m_layerStrip ? m_layerStrip->GetSelected() : nullptr;
    if (!layer)
        return FALSE;
    // White is the key colour of a layer: white letters would not show.
    colour &= 0xFFFFFF;
    if (colour == 0xFFFFFF)
        colour = 0xFEFEFE;
    int width = areaWidth, height = areaHeight;
    GetLargestSlotSize(&width, &height);
    LOGFONT record = font ? *font : LOGFONT{};
    if (record.lfHeight == 0)
        record.lfHeight = -defaultTextHeight;
    CFont made;
    if (!made.CreateFontIndirect(&record))
        return FALSE;

    ShowWaitCursor();
    // Made before the layer is cleared, so that a layer keeps its content when no text picture can be made.
    std::unique_ptr<CDIB> image = RenderText(text, &made, colour, centred != 0, width, height);
    bool done = false;
    const bool rendered = image != nullptr;
    if (rendered) {
        // Clearing the layer and putting the text there are one change.
        const QuietChanges quiet(this);
        if (CButtonControl* remove = m_layerStrip->GetDeleteButton())
            m_layerStrip->OnControlEvent(remove->GetId(), 1);
        done = layer->PutContent(std::move(image), NewContentKey(), {});
        if (done)
            m_layerStrip->UpdateButtons();
    }
    ShowArrowCursor();
    if (rendered)
        Recompose(TRUE);
    return done;
}
