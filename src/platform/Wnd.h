#pragma once
// A window: a rectangle on the screen with an id, a parent, its own surface of pixels and handlers for
// painting, sizing and the mouse. Whatever a context from GetDC draws stays on the surface until it is
// drawn over; the screen shows the surface.

#include "platform/Geometry.h"
#include "platform/WinTypes.h"
#include <memory>
#include <string>
#include <vector>

class CDC;
class QWidget;

// Window styles.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;

// Mouse key flags handed to mouse handlers.
constexpr UINT MK_LBUTTON = 0x1;
constexpr UINT MK_RBUTTON = 0x2;
constexpr UINT MK_SHIFT = 0x4;
constexpr UINT MK_CONTROL = 0x8;

// Virtual key codes handed to OnKeyDown, and the mouse's left button for GetKeyState.
constexpr UINT VK_LBUTTON = 0x01;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_PRIOR = 0x21; // Page Up
constexpr UINT VK_NEXT = 0x22;  // Page Down
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_DELETE = 0x2E;

// Negative while key (VK_SHIFT or VK_CONTROL) is held down, as the last input event had it, or while the
// left mouse button is (VK_LBUTTON); else 0.
int GetKeyState(int key);

// Showing and placing windows.
constexpr UINT SWP_NOSIZE = 0x1;
constexpr UINT SWP_NOMOVE = 0x2;
constexpr UINT SWP_NOZORDER = 0x4;
constexpr UINT SWP_NOREDRAW = 0x8;
constexpr UINT SWP_NOACTIVATE = 0x10;
constexpr UINT SWP_SHOWWINDOW = 0x40;
constexpr UINT SWP_HIDEWINDOW = 0x80;
// OnSize types.
constexpr UINT SIZE_RESTORED = 0;
constexpr UINT SIZE_MINIMIZED = 1;
constexpr UINT SIZE_MAXIMIZED = 2;

// The limits a window asks for in OnGetMinMaxInfo.
struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // A plain window at rect (in the parent's client coordinates), a child when a parent is given.
    // WS_VISIBLE shows it, WS_DISABLED disables it. Fails when the window exists already.
    virtual BOOL Create(const std::string& title, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Destroys the window (and its children); the object stays and can create a window again.
    virtual BOOL DestroyWindow();

    // This object while it has a window, else null.
    CWnd* GetSafeHwnd() const;
    UINT GetDlgCtrlID() const;
    CWnd* GetParent() const;

    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    // Unless SWP_NOZORDER is given, insertAfter &wndBottom puts the window beneath its siblings; any other
    // is ignored. SWP_NOMOVE, SWP_NOSIZE, SWP_SHOWWINDOW and SWP_HIDEWINDOW are honoured.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags);
    static const CWnd wndBottom;
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetFocus();

    // Asks for a paint message: OnEraseBkgnd first when erase is set, then OnPaint.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    // Withdraws a pending paint message (rect is ignored: the whole window counts).
    void ValidateRect(const RECT* rect);
    // Runs a pending paint message now.
    void UpdateWindow();

    // Client rectangle: 0, 0, width, height.
    void GetClientRect(RECT* rect) const;

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;

    // A context on the window's surface; ReleaseDC (or deleting it) puts it on the screen. Null without
    // a window.
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    // Handlers. The defaults: OnPaint validates, OnEraseBkgnd fills the surface with the window colour
    // and returns TRUE, OnLButtonDblClk treats the second press as a press, the others do nothing.
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnMouseMove(UINT flags, POINT point);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnLButtonDblClk(UINT flags, POINT point);
    // A key pressed while a plain window has the keyboard focus (SetFocus gives it): one of the VK_ codes
    // above, repeat 1 or more for a held key. Shift+Tab comes as VK_TAB with Shift held.
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);

    // Files dragged from a file manager may be dropped on the window (and its children) once it accepts
    // them, where CanDropFilesOn the window under the pointer (this one or a child; the default: anywhere);
    // OnDropFiles hears their local paths and that window.
    void DragAcceptFiles(BOOL accept = TRUE);
    virtual bool CanDropFilesOn(CWnd* target) const;
    virtual void OnDropFiles(const std::vector<std::string>& paths, CWnd* target);

    // Platform side: the widget of the window, or null. Only src/platform and the framework use it.
    QWidget* GetQWidget() const;

    struct Impl;

protected:
    // Makes the given widget this object's window instead of a plain one (a frame hosts a main window
    // this way). The object takes ownership; the widget's events reach the handlers. When ownSurface is
    // false the widget paints itself and the surface is not shown.
    BOOL AdoptWidget(QWidget* widget, DWORD style, const RECT& rect, CWnd* parent, UINT id, bool ownSurface);
    Impl& Platform() const { return *d; }

private:
    std::unique_ptr<Impl> d;
};
