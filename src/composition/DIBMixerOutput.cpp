// Printing and the flat exports: the picture composed into a picture of its own at the flat size, which
// depends on the layers alone, never on the window; drawn or written.

#include "composition/DIBMixer.h"

#include "composition/FlatPictureSize.h"
#include "controls/ControlManager.h"
#include "platform/DC.h"
#include "platform/FullPath.h"
#include <algorithm>
#include <cmath>

namespace {
// pixels / units, raised by the least step where rounding would leave units times it short of pixels:
// else the last column or row of the picture could stay background.
double FactorOnto(LONG pixels, LONG units) {
    double factor = double(pixels) / units;
    while (double(units) * factor < pixels)
        factor = std::nextafter(factor, HUGE_VAL);
    return factor;
}
} // namespace

bool CDIBMixer::ComposeAt(const RECT& target, CDIB* picture) {
    const LONG designWidth = m_designRect.Width(), designHeight = m_designRect.Height();
    if (designWidth <= 0 || designHeight <= 0 || target.Width() <= 0 || target.Height() <= 0 ||
        !picture->Create(target.Width(), target.Height(), 24))
        return false;
    picture->SetStretchMode(m_canvas.GetStretchMode());
    m_composer.Compose(*picture, m_slots, FactorOnto(target.Width(), designWidth),
                       FactorOnto(target.Height(), designHeight), nullptr, true, MIXER_KEY_COLOUR,
                       MIXER_BACKGROUND);
    return true;
}

BOOL CDIBMixer::RenderToDC(CDC* dc, const RECT* dest, const RECT* target) {
    if (!dc || !GetSafeHwnd() || !m_manager || m_canvas.IsEmpty())
        return FALSE;
    const RECT destination = dest ? *dest : RECT{0, 0, m_rect.Width(), m_rect.Height()};
    if (target && (target->Width() <= 0 || target->Height() <= 0))
        return TRUE; // nothing to draw
    // Where the picture cannot be made at the target's size, the window's canvas is printed instead.
    CDIB picture;
    const CDIB& drawn = target && ComposeAt(*target, &picture) ? picture : m_canvas;
    const RECT whole{0, 0, drawn.GetWidth(), drawn.GetHeight()};
    drawn.Draw(dc, &destination, &whole, m_manager->GetPalette(), TRUE);
    return TRUE;
}

BOOL CDIBMixer::ExportBitmap(const char* path, const RECT* target, CDIB::FileFormat format, SIZE* written) {
    if (!path || !m_manager || m_canvas.IsEmpty())
        return FALSE;
    CDIB picture;
    CDIB& saved = target && ComposeAt(*target, &picture) ? picture : m_canvas;
    if (written)
        *written = {saved.GetWidth(), saved.GetHeight()};
    return saved.Save(path, CDIB::callerReportsFailure, format);
}

void CDIBMixer::GetLargestSlotSize(int* width, int* height) const {
    if (!width || !height)
        return;
    for (const auto& slot : m_slots) {
        *width = std::max(*width, slot->GetWidth());
        *height = std::max(*height, slot->GetHeight());
    }
}

RECT CDIBMixer::GetFlatPictureTarget() const {
    std::vector<LayerExtent> layers;
    layers.reserve(m_slots.size());
    for (const auto& slot : m_slots)
        layers.push_back({slot->GetWidth(), slot->GetHeight(), slot->m_width, slot->m_height});
    const SIZE size = FlatPictureSize(layers, {m_designRect.Width(), m_designRect.Height()});
    return {0, 0, size.cx, size.cy};
}

bool CDIBMixer::FlatFormatOf(const std::string& path, CDIB::FileFormat* format) {
    const std::string extension = SplitPath(path).extension;
    if (extension != ".bmp" && extension != ".png")
        return false;
    if (format)
        *format = extension == ".png" ? CDIB::pngFile : CDIB::bmpFile;
    return true;
}
