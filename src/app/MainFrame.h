#pragma once
// The main window: 800 × 600 in the middle of the screen (a smaller screen is filled), with the menu,
// and the palette, activation and sizing messages passed on to the view.

#include "platform/FrameWnd.h"

class CQuimbleView;

class CMainFrame : public CFrameWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    BOOL OnQueryNewPalette() override;
    void OnPaletteChanged(CWnd* focusWnd) override;
    void OnSysColorChange() override;
    void OnActivate(UINT state, CWnd* other, BOOL minimized) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    // File, New and File, Export go to the view's dispatcher.
    BOOL OnCmdMsg(UINT id) override;

private:
    CQuimbleView* GetQuimbleView() const;
};
