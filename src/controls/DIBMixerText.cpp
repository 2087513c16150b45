// The text layer of the picture area: text typed by the user becomes the content of a layer, on its own,
// in place of an earlier text, or onto a picture.

#include "controls/DIBMixer.h"

#include "composition/ContentKey.h"
#include "composition/TextPlacement.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/Cursor.h"
#include "platform/DC.h"
#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

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

// Whether the slot's picture covers its pixel x, y (from the top left, as stored): through its alpha
// companion when it has one, else every pixel but the key colour.
bool Covers(const CDIBSlot& slot, const CDIB* alpha, int x, int y) {
    const int w = slot.GetWidth(), h = slot.GetHeight();
    if (alpha) {
        const int ax = int(std::int64_t(x) * alpha->GetWidth() / w);
        const int ay = int(std::int64_t(y) * alpha->GetHeight() / h);
        return alpha->GetBits()[std::size_t(alpha->GetHeight() - 1 - ay) * alpha->GetStride() + ax] >= 128;
    }
    const BYTE* p = slot.GetBits() + std::size_t(h - 1 - y) * slot.GetStride() + 3 * std::size_t(x);
    return p[0] != 0xFF || p[1] != 0xFF || p[2] != 0xFF;
}

// What slot covers of the picture area, in design units; its whole area when it covers nothing.
CTextPlacement::Covered CoveredBy(const CDIBSlot& slot) {
    RECT area{slot.m_x, slot.m_y, slot.m_x + slot.m_width, slot.m_y + slot.m_height};
    NormalizeRect(area);
    const CTextPlacement::Covered whole{area, {(area.left + area.right) / 2, (area.top + area.bottom) / 2}};
    const int w = slot.GetWidth(), h = slot.GetHeight();
    const CDIB* alpha = slot.m_source ? slot.m_source->GetAlpha() : nullptr;
    if (alpha &&
        (alpha->BitCount() != 8 || !alpha->GetBits() || alpha->GetWidth() <= 0 || alpha->GetHeight() <= 0))
        alpha = nullptr;
    if (w <= 0 || h <= 0 || !slot.GetBits() || slot.BitCount() != 24)
        return whole;
    // A few hundred samples a side tell enough, also of a large picture.
    const int step = std::max(1, std::max(w, h) / 256);
    RECT box{w, h, 0, 0};
    double sumX = 0, sumY = 0, count = 0;
    for (int y = 0; y < h; y += step)
        for (int x = 0; x < w; x += step)
            if (Covers(slot, alpha, x, y)) {
                // Where the pixel shows: a mirrored slot shows it on the other side.
                const int sx = slot.GetMirrorHorizontal() ? w - 1 - x : x;
                const int sy = slot.GetMirrorVertical() ? h - 1 - y : y;
                box = {std::min<LONG>(box.left, sx), std::min<LONG>(box.top, sy),
                       std::max<LONG>(box.right, sx + 1), std::max<LONG>(box.bottom, sy + 1)};
                sumX += sx, sumY += sy, ++count;
            }
    if (count == 0)
        return whole;
    const double scaleX = double(area.Width()) / w, scaleY = double(area.Height()) / h;
    const auto designX = [&](double x) { return LONG(std::lround(area.left + x * scaleX)); };
    const auto designY = [&](double y) { return LONG(std::lround(area.top + y * scaleY)); };
    return {{designX(box.left), designY(box.top), designX(box.right), designY(box.bottom)},
            {designX(sumX / count + 0.5), designY(sumY / count + 0.5)}};
}
} // namespace

CDIBMixer::TextTarget CDIBMixer::FindTextTarget() const {
    CLayerControl* selected = m_layerStrip ? m_layerStrip->GetSelected() : nullptr;
    if (!selected)
        return {};
    if (selected->GetText())
        return {TextTargetKind::changeText, selected};
    if (!selected->GetImage())
        return {TextTargetKind::newText, selected};
    int position = 0;
    m_layerStrip->IndexOf(selected, &position);
    for (int p = position - 1; p >= 0; --p)
        if (CLayerControl* layer = m_layerStrip->GetLayer(p); layer && !layer->GetImage())
            return {TextTargetKind::onPicture, layer, selected};
    return {TextTargetKind::noFreeLayer};
}

BOOL CDIBMixer::SetTextLayer(const std::string& text, const LOGFONT* font, COLORREF colour, int centred) {
    if (text.empty() || !m_manager)
        return FALSE;
    SelectDibSlot(nullptr);
    const TextTarget target = FindTextTarget();
    CLayerControl* layer = target.layer;
    if (!layer)
        return FALSE;
    const LayerText settings{text, font ? *font : LOGFONT{}, colour, centred};
    // White is the key colour of a layer: white letters would not show.
    colour &= 0xFFFFFF;
    if (colour == 0xFFFFFF)
        colour = 0xFEFEFE;
    int width = areaWidth, height = areaHeight;
    GetLargestSlotSize(&width, &height);
    // A changed text stays where it was, at its scale; a text on a picture is wrapped to fit it, or, when
    // changed, at least as wide as it was, so that a mended word keeps the lines the user saw.
    const CDIBSlot* old =
        target.kind == TextTargetKind::changeText ? FindDibSlot(layer->GetContentKey()) : nullptr;
    const std::uint32_t onKey = target.picture ? target.picture->GetContentKey()
                                : old          ? layer->GetAttachedTo()
                                               : 0;
    const CDIBSlot* under = FindDibSlot(onKey);
    std::optional<CTextPlacement::Covered> covered;
    if (under) {
        covered = CoveredBy(*under);
        const double scale = old ? std::abs(double(old->m_width)) / std::max(1, old->GetWidth())
                                 : CTextPlacement::defaultScale;
        const LONG wrap =
            std::max<LONG>(old ? old->GetWidth() : 0, CTextPlacement::WrapWidth(*covered, scale));
        width = std::min<int>(width, wrap);
    }
    LOGFONT record = settings.font;
    if (record.lfHeight == 0)
        record.lfHeight = -defaultTextHeight;
    CFont made;
    if (!made.CreateFontIndirect(&record))
        return FALSE;

    ShowWaitCursor();
    // Made before the layer changes, so that a layer keeps its content when no text picture can be made.
    std::unique_ptr<CDIB> image = RenderText(text, &made, colour, centred != 0, width, height);
    bool done = false;
    const bool rendered = image != nullptr;
    if (rendered) {
        // Putting the text there and placing it are one change.
        const QuietChanges quiet(this);
        const SIZE pixels{image->GetWidth(), image->GetHeight()};
        std::optional<SlotPlacement> place;
        std::uint32_t attachedTo = 0;
        if (old) {
            place =
                CTextPlacement::InPlaceOf(old->GetPlacement(), {old->GetWidth(), old->GetHeight()}, pixels);
            attachedTo = layer->GetAttachedTo();
        } else if (covered) {
            place = CTextPlacement::OnPicture(*covered, pixels);
            attachedTo = onKey;
        }
        done = layer->PutContent(std::move(image), NewContentKey(), {});
        if (done) {
            layer->SetText(settings, attachedTo);
            if (place)
                PlaceNewSlot(*layer, *place);
            if (target.kind == TextTargetKind::onPicture)
                m_layerStrip->Select(layer);
            m_layerStrip->UpdateButtons();
        }
    }
    ShowArrowCursor();
    if (rendered)
        Recompose(TRUE);
    return done;
}

void CDIBMixer::PlaceNewSlot(const CLayerControl& layer, const SlotPlacement& place) {
    // The slot is made where every new one is, and what that changed is composed with its real place.
    RECT changed{};
    UpdateFromLayerStrip(&changed);
    CDIBSlot* slot = FindDibSlot(layer.GetContentKey());
    if (!slot)
        return;
    SlotState now = slot->GetPlace();
    now.x = place.x, now.y = place.y, now.width = place.width, now.height = place.height;
    now.mirrorHorizontal = place.width < 0;
    now.mirrorVertical = place.height < 0;
    slot->SetPlace(now);
    CLayerStrip::UniteSlotArea(&changed, place);
    slot->m_changed = 1;
    slot->m_changedArea = changed;
}
