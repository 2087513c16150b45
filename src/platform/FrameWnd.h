#pragma once
// A frame: the top-level window with the title bar, the menu bar and the keyboard shortcuts, hosting a
// view as its client. Menu and shortcut commands are offered to the active view, its document, the frame
// and the application in turn. Closing asks the document whether it may go.

#include "platform/CmdTarget.h"
#include "platform/Menu.h"
#include "platform/Wnd.h"
#include <climits>
#include <memory>
#include <string>
#include <vector>

class CDocument;
class CView;

constexpr int CW_USEDEFAULT = INT_MIN;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
// The id of the view inside its frame.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
// Activation states handed to OnActivate.
constexpr UINT WA_INACTIVE = 0;
constexpr UINT WA_ACTIVE = 1;

// The window a frame is about to create. x, y, cx and cy are the outer frame's place and size.
struct CREATESTRUCT {
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int cx = CW_USEDEFAULT;
    int cy = CW_USEDEFAULT;
    DWORD style = WS_OVERLAPPEDWINDOW;
};

class CFrameWnd : public CWnd, public CCmdTarget {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Adjusts the window about to be created; FALSE stops the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Creates the (hidden) window with its menu and shortcuts and makes view, showing doc, its client.
    BOOL LoadFrame(const std::string& title, const CMenu& menu, const std::vector<ACCEL>& accelerators,
                   CDocument* doc, std::unique_ptr<CView> view);
    // Shows the frame and gives its view the initial update.
    void InitialUpdateFrame();

    CView* GetActiveView() const { return m_view.get(); }
    CDocument* GetActiveDocument() const;

    // Offers the command to the active view, its document, this frame and the application, and returns
    // whether one of them handled it.
    BOOL RouteCommand(UINT id);
    // Enables or greys the menu items of command, and lets its shortcuts work or not.
    void EnableCommand(UINT id, bool enable);
    // "<document title> - <title>", the title marked while the document has changes to save, or the
    // title alone without a document.
    virtual void OnUpdateFrameTitle();

    // The window is asked to close (its close box, or Exit): when the document agrees, the window goes;
    // the main window ends the program with it.
    virtual void OnClose();
    // The frame is coming to the front: TRUE when it realised a palette.
    virtual BOOL OnQueryNewPalette();
    // Another window (focusWnd, or null when unknown) has realised its palette.
    virtual void OnPaletteChanged(CWnd* focusWnd);
    virtual void OnSysColorChange();
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    // Asks OnGetMinMaxInfo again and applies the limits (the view's wishes may have changed).
    void RecalcMinMaxInfo();

    struct FrameImpl;

private:
    void ActivateFrame();

    std::unique_ptr<CView> m_view;
    std::string m_strTitle;
    CREATESTRUCT m_created;
    std::unique_ptr<FrameImpl> m_impl;
};
