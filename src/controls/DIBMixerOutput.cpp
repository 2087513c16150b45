// Printing and the flat exports: the picture composed into a picture of its own at the flat size, which
// depends on the layers alone, never on the window; drawn or written.

#include "controls/DIBMixer.h"

#include "composition/Picture.h"
#include "controls/ControlManager.h"
#include "platform/DC.h"
#include "platform/FullPath.h"
#include <algorithm>

bool CDIBMixer::ComposeAt(const RECT& target, CDIB* picture) const {
    CPictureComposer composer;
    return composer.ComposeAt(Picture(), {target.Width(), target.Height()}, picture);
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
    const SIZE size = CPictureComposer::FlatSize(Picture());
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
