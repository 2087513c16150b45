// The editor's file and print commands: Load, Save and Export of the picture, and the printed page.

#include "app/QuimbleView.h"

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/PromptForFileName.h"
#include "app/QuimbleDoc.h"
#include "app/QuimbleResource.h"
#include "composition/PictureFile.h"
#include "controls/DIBMixer.h"
#include "platform/Cursor.h"
#include "platform/DC.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/PrintInfo.h"

CDIBMixer* CQuimbleView::GetPictureArea() const {
    return FindControlAs<CDIBMixer>(IDC_MIXER);
}

BOOL CQuimbleView::LoadPicture(const char* path, BOOL takePath) {
    CQuimbleDoc* doc = GetDocument();
    if (doc && !doc->SaveModified())
        return FALSE;
    std::string chosen = path ? path : m_loadPath;
    if (!path && !PromptForFileName(&chosen, TRUE, nullptr, 0,
                                    FileFilterOf({ProgramText::layeredFileType}, GetLanguage()).c_str()))
        return FALSE;
    if (chosen.empty())
        return FALSE;
    // A file that does not become the document's is not offered in the open dialog either.
    if (takePath)
        m_loadPath = chosen;
    if (!doc || !GetPictureArea())
        return FALSE;
    ShowWaitCursor();
    const BOOL loaded = doc->ReadPicture(chosen, GetDIBManager());
    ShowArrowCursor();
    if (!Report(loaded, MSG_READ_ERROR, chosen))
        return FALSE;
    if (doc && takePath)
        doc->PictureIsFile(chosen);
    return TRUE;
}

BOOL CQuimbleView::SavePicture(const char* path) {
    if (path)
        m_savePath = path;
    else if (!PromptForFileName(&m_savePath, FALSE, nullptr, 0,
                                FileFilterOf({ProgramText::layeredFileType, ProgramText::bitmapFileType,
                                              ProgramText::pngFileType},
                                             GetLanguage())
                                    .c_str()))
        return FALSE;
    if (m_savePath.empty())
        return FALSE;
    CDIB::FileFormat format = CDIB::bmpFile;
    if (CDIBMixer::FlatFormatOf(m_savePath, &format))
        return ExportPicture(m_savePath.c_str());
    if (!SaveLayeredPicture(m_savePath.c_str()))
        return FALSE;
    if (CQuimbleDoc* doc = GetDocument())
        doc->PictureIsFile(m_savePath);
    return TRUE;
}

BOOL CQuimbleView::SaveLayeredPicture(const char* path) {
    const CQuimbleDoc* doc = GetDocument();
    if (!path || !doc || !GetPictureArea())
        return FALSE;
    // No extension is added to a typed name, and only this one, exactly so, says to write layers.
    BOOL saved = FALSE;
    if (SplitPath(path).extension == ".qmf") {
        ShowWaitCursor();
        saved = CPictureFile::Write(path, doc->GetPicture());
        ShowArrowCursor();
    }
    return Report(saved, MSG_SAVE_ERROR, path);
}

BOOL CQuimbleView::ExportPicture(const char* path) {
    if (path)
        m_exportPath = path;
    else if (!PromptForFileName(
                 &m_exportPath, FALSE, nullptr, 0,
                 FileFilterOf({ProgramText::pngFileType, ProgramText::bitmapFileType}, GetLanguage())
                     .c_str()))
        return FALSE;
    CDIBMixer* mixer = GetPictureArea();
    if (m_exportPath.empty() || !mixer)
        return FALSE;
    BOOL saved = FALSE;
    CDIB::FileFormat format = CDIB::bmpFile;
    if (CDIBMixer::FlatFormatOf(m_exportPath, &format)) {
        ShowWaitCursor();
        const RECT target = mixer->GetFlatPictureTarget();
        saved = mixer->ExportBitmap(m_exportPath.c_str(), &target, format);
        ShowArrowCursor();
    }
    return Report(saved, MSG_SAVE_ERROR, m_exportPath);
}

BOOL CQuimbleView::Report(BOOL done, int failureKey, const std::string& path) {
    if (!done)
        ShowFileMessage(failureKey, path, MB_OK);
    return done;
}

void CQuimbleView::ShowFileMessage(int key, const std::string& path, UINT style) {
    const std::string* message = GetMessageTable().FindMessage(key);
    if (!message)
        return;
    std::string text = *message;
    const PathParts name = SplitPath(path);
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, name.name + name.extension);
    ShowMessage(&text, style);
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
    // pixels need not be square); too tall for the page, down the printable height instead, as wide as the
    // proportions make it. Centred on the printable area.
    const double high = double(height) * dpiY * pageWidth / (double(width) * dpiX);
    const LONG w = high <= pageHeight ? pageWidth : LONG(pageWidth * (pageHeight / high));
    const LONG h = high <= pageHeight ? LONG(high) : pageHeight;
    const LONG left = (pageWidth - w) / 2, top = (pageHeight - h) / 2;
    return {left, top, left + w, top + h};
}

void CQuimbleView::PrintPicture(CDC* dc) {
    CDIBMixer* mixer = GetPictureArea();
    if (!mixer)
        return;
    ShowWaitCursor();
    // The whole screen is painted anew once the printing is over.
    SetDrawingEnabled(false);
    m_firstPaintDone = false;
    // The same picture as the flat export, whatever the window's shape.
    const RECT target = mixer->GetFlatPictureTarget();
    const RECT destination = PrintDestination(target.Width(), target.Height(), dc->GetDeviceCaps(HORZRES),
                                              dc->GetDeviceCaps(VERTRES), dc->GetDeviceCaps(LOGPIXELSX),
                                              dc->GetDeviceCaps(LOGPIXELSY));
    mixer->RenderToDC(dc, &destination, &target);
    ShowArrowCursor();
    // The dialog that started the printing leaves no paint message for the view behind, as it would on
    // the original platform; without one, drawing would stay off.
    Invalidate(TRUE);
}
