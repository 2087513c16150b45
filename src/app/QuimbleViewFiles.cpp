// The editor's file and print commands: Load and Save of the picture, and the printed page.

#include "app/QuimbleView.h"

#include "app/ControlIds.h"
#include "app/PromptForFileName.h"
#include "composition/DIBMixer.h"
#include "platform/Cursor.h"
#include "platform/DC.h"
#include "platform/Document.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/PrintInfo.h"

namespace {
const char loadFilter[] = "Quimble file (*.qmf)|*.qmf|All Files (*.*)|*.*||";
const char saveFilter[] =
    "Quimble file (*.qmf)|*.qmf|Bitmap file (*.bmp)|*.bmp|PNG file (*.png)|*.png|All Files (*.*)|*.*||";
} // namespace

CDIBMixer* CQuimbleView::GetPictureArea() const {
    return FindControlAs<CDIBMixer>(IDC_MIXER);
}

BOOL CQuimbleView::LoadPicture(const char* path) {
    if (path)
        m_loadPath = path;
    else if (!PromptForFileName(&m_loadPath, TRUE, nullptr, 0, loadFilter))
        return FALSE;
    if (m_loadPath.empty())
        return FALSE;
    CDIBMixer* mixer = GetPictureArea();
    if (!mixer)
        return FALSE;
    ShowWaitCursor();
    const BOOL loaded = mixer->LoadFromLayeredFile(m_loadPath.c_str());
    ShowArrowCursor();
    return FinishFileCommand(loaded, m_loadPath, MSG_READ_ERROR);
}

BOOL CQuimbleView::SavePicture(const char* path) {
    if (path)
        m_savePath = path;
    else if (!PromptForFileName(&m_savePath, FALSE, nullptr, 0, saveFilter))
        return FALSE;
    if (m_savePath.empty())
        return FALSE;
    CDIBMixer* mixer = GetPictureArea();
    if (!mixer)
        return FALSE;
    // No extension is added to a typed name, and none but these three, exactly so, says what to write.
    ShowWaitCursor();
    BOOL saved = FALSE;
    CDIB::FileFormat format = CDIB::bmpFile;
    if (CDIBMixer::FlatFormatOf(m_savePath, &format)) {
        const RECT target = mixer->GetLargestSlotTarget();
        saved = mixer->ExportBitmap(m_savePath.c_str(), &target, format);
    } else if (SplitPath(m_savePath).extension == ".qmf") {
        saved = mixer->SaveToLayeredFile(m_savePath.c_str());
    }
    ShowArrowCursor();
    return FinishFileCommand(saved, m_savePath, MSG_SAVE_ERROR);
}

BOOL CQuimbleView::FinishFileCommand(BOOL done, const std::string& path, int failureKey) {
    if (!done) {
        ShowMessage(GetMessageTable().FindMessage(failureKey), MB_OK);
        return FALSE;
    }
    // The window title and the recent files follow the document's path.
    if (CDocument* doc = CView::GetDocument())
        doc->SetPathName(path, TRUE);
    return TRUE;
}

BOOL CQuimbleView::OnPreparePrinting(CPrintInfo* info) {
    info->SetMaxPage(1);
    return DoPreparePrinting(info);
}

RECT CQuimbleView::PrintDestination(int width, int height, int pageWidth, int pageHeight, int dpiX,
                                    int dpiY) {
    if (width <= 0 || height <= 0 || dpiX <= 0 || dpiY <= 0)
        return {0, 0, 0, 0};
    // Across the printable width, the height following the picture's proportions on paper (the page's
    // pixels need not be square).
    const double bottom = double(height) * dpiY * pageWidth / (double(width) * dpiX);
    if (bottom <= pageHeight)
        return {0, 0, pageWidth, LONG(bottom)};
    // Too tall for the page: down the printable height instead, as wide as the proportions make it.
    return {0, 0, LONG(pageWidth * (pageHeight / bottom)), pageHeight};
}

void CQuimbleView::PrintPicture(CDC* dc) {
    CDIBMixer* mixer = GetPictureArea();
    if (!mixer)
        return;
    ShowWaitCursor();
    // The whole screen is painted anew once the printing is over.
    SetDrawingEnabled(false);
    m_firstPaintDone = false;
    const CDIB& canvas = mixer->GetCanvas();
    const RECT destination = PrintDestination(canvas.GetWidth(), canvas.GetHeight(),
                                              dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES),
                                              dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
    const RECT target = mixer->GetLargestSlotTarget();
    mixer->RenderToDC(dc, &destination, &target);
    ShowArrowCursor();
    // The dialog that started the printing leaves no paint message for the view behind, as it would on
    // the original platform; without one, drawing would stay off.
    Invalidate(TRUE);
}
