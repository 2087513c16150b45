#include "app/QuimbleView.h"

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/FillMessageTable.h"
#include "app/PromptForFileName.h"
#include "app/QuimbleDoc.h"
#include "platform/DC.h"
#include "platform/PrintInfo.h"

#include <cstdio>

namespace {
const char saveFilter[] = "Quimble file (*.qmf)|*.qmf|Bitmap file (*.bmp)|*.bmp|All Files (*.*)|*.*||";
} // namespace

CQuimbleView::CQuimbleView() : CControlManager(this, GetLanguage()) {}

CQuimbleDoc* CQuimbleView::GetDocument() const {
    return dynamic_cast<CQuimbleDoc*>(CView::GetDocument());
}

bool CQuimbleView::OnControlEvent(int id, WPARAM data) {
    switch (id) {
    case IDC_SAVE:
        SavePicture(reinterpret_cast<const char*>(data));
        return true;
    case IDC_PRINT:
        PostCommand(ID_FILE_PRINT);
        return true;
    default:
        return false;
    }
}

bool CQuimbleView::OnControlValue(int id, double value) {
    std::printf("control %d, sent value %f\n", id, value);
    return false;
}

BOOL CQuimbleView::SavePicture(const char* path) {
    if (path)
        m_savePath = path;
    else if (!PromptForFileName(&m_savePath, FALSE, nullptr, 0, saveFilter))
        return FALSE;
    if (m_savePath.empty())
        return FALSE;
    // The picture lives in the picture area, and this screen has none: nothing can be written. As with
    // every missing control, that is not reported.
    return FALSE;
}

void CQuimbleView::RealizeViewPalette(CWnd* focusWnd) {
    if (focusWnd && (focusWnd == this || FindControlByWindow(focusWnd)))
        return;
    CPalette* palette = GetPalette();
    if (!palette)
        return;
    CDC* dc = GetDC();
    if (!dc)
        return;
    dc->SelectPalette(palette, FALSE);
    dc->RealizePalette();
    ReleaseDC(dc);
}

void CQuimbleView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    CheckDisplay();
    FillMessageTable(GetMessageTable());
}

void CQuimbleView::OnDraw(CDC* dc) {
    // A printed page shows the picture area, which this screen does not have: the page stays empty.
    if (dc->IsPrinting())
        return;
    SetDrawingEnabled(true);
    if (!m_firstPaintDone)
        Invalidate(TRUE);
    m_firstPaintDone = true;
}

BOOL CQuimbleView::OnEraseBkgnd(CDC* dc) {
    return PaintBackground(dc) ? TRUE : CView::OnEraseBkgnd(dc);
}

void CQuimbleView::OnSize(UINT type, int width, int height) {
    SetDrawingEnabled(false);
    CView::OnSize(type, width, height);
    Resize(width, height);
    SetDrawingEnabled(true);
    Invalidate(TRUE);
}

void CQuimbleView::OnMouseMove(UINT flags, POINT point) {
    ClearHotControl();
    CView::OnMouseMove(flags, point);
}

BOOL CQuimbleView::OnPreparePrinting(CPrintInfo* info) {
    info->SetMaxPage(1);
    return DoPreparePrinting(info);
}
