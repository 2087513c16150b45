#include "app/MainFrame.h"

#include "app/QuimbleResource.h"
#include "app/QuimbleView.h"
#include "platform/Screen.h"

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    SIZE screen = GetScreenSize();
    cs.cx = screen.cx < 800 ? screen.cx : 800;
    cs.x = screen.cx < 800 ? 0 : (screen.cx - 800) / 2;
    cs.cy = screen.cy < 600 ? screen.cy : 600;
    cs.y = screen.cy < 600 ? 0 : (screen.cy - 600) / 2;
    return CFrameWnd::PreCreateWindow(cs);
}

CQuimbleView* CMainFrame::GetQuimbleView() const {
    return dynamic_cast<CQuimbleView*>(GetActiveView());
}

BOOL CMainFrame::OnQueryNewPalette() {
    CQuimbleView* view = GetQuimbleView();
    if (!view)
        return FALSE;
    view->RealizeViewPalette(nullptr);
    Invalidate(TRUE);
    return TRUE;
}

void CMainFrame::OnPaletteChanged(CWnd* focusWnd) {
    CQuimbleView* view = GetQuimbleView();
    if (focusWnd == this || !view)
        return;
    view->RealizeViewPalette(focusWnd);
    Invalidate(TRUE);
}

void CMainFrame::OnSysColorChange() {
    CFrameWnd::OnSysColorChange();
    if (CQuimbleView* view = GetQuimbleView()) {
        view->RealizeViewPalette(nullptr);
        Invalidate(TRUE);
    }
}

void CMainFrame::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    CFrameWnd::OnActivate(state, other, minimized);
    Invalidate(TRUE);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
    if (CQuimbleView* view = GetQuimbleView())
        view->GetMinMaxInfo(info);
    CFrameWnd::OnGetMinMaxInfo(info);
}

BOOL CMainFrame::OnCmdMsg(UINT id) {
    // The commands on the picture are the view's.
    if (id != ID_NEW_PICTURE && id != ID_FILE_EXPORT && id != ID_ADD_PICTURES && id != ID_EDIT_UNDO &&
        id != ID_EDIT_REDO)
        return CFrameWnd::OnCmdMsg(id);
    if (CQuimbleView* view = GetQuimbleView())
        view->OnControlEvent(int(id), 0);
    return TRUE;
}
