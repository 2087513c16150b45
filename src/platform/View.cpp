#include "platform/View.h"

#include "platform/DC.h"
#include "platform/Document.h"
#include "platform/FrameWnd.h"
#include "platform/PrintInfo.h"
#include "platform/Printer.h"
#include "platform/WinApp.h"

#include <QTimer>
#include <QWidget>
#include <utility>

CView::CView() = default;

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() {
    Invalidate(TRUE);
}

BOOL CView::OnPreparePrinting(CPrintInfo* info) {
    return DoPreparePrinting(info);
}

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
    if (info->m_bPreview)
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->GetPrinter().PrintDialog(this, info);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* dc, CPrintInfo*) {
    OnDraw(dc);
}

void CView::OnFilePrint() {
    PrintJob(false);
}
void CView::OnFilePrintPreview() {
    PrintJob(true);
}

void CView::PrintJob(bool preview) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    CPrintInfo info;
    info.m_bPreview = preview;
    if (!OnPreparePrinting(&info))
        return;
    auto page = [this](CDC* dc, CPrintInfo* pageInfo) {
        if (pageInfo->m_nCurPage == pageInfo->GetMinPage())
            OnBeginPrinting(dc, pageInfo);
        OnPrint(dc, pageInfo);
        if (pageInfo->m_nCurPage == pageInfo->GetMaxPage())
            OnEndPrinting(dc, pageInfo);
    };
    if (preview)
        app->GetPrinter().Preview(this, &info, app->m_nNumPreviewPages == 2, page);
    else
        app->GetPrinter().PrintPages(&info, page);
}

BOOL CView::OnCmdMsg(UINT id) {
    switch (id) {
    case ID_FILE_PRINT:
        OnFilePrint();
        return TRUE;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        return TRUE;
    default:
        return FALSE;
    }
}

void CView::PostCommand(UINT id) {
    PostCall([this, id] {
        if (!(m_pFrame && m_pFrame->RouteCommand(id)))
            OnCmdMsg(id);
    });
}

void CView::PostCall(std::function<void()> call) {
    // The widget is the receiver, so a call still queued when the view goes is dropped with it.
    if (QWidget* widget = GetQWidget())
        QTimer::singleShot(0, widget, std::move(call));
}

void CView::OnPaint() {
    CDC* dc = GetDC();
    if (!dc)
        return;
    OnDraw(dc);
    ReleaseDC(dc);
}
