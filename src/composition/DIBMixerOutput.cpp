// Printing and the flat exports: the picture composed at a target's size into the canvas, drawn or
// written, and the window's canvas put back.

#include "composition/DIBMixer.h"

#include "controls/ControlManager.h"
#include "platform/DC.h"
#include "platform/FullPath.h"
#include <algorithm>

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
