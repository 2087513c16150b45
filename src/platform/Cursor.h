#pragma once
// The wait cursor while the program works, the arrow again when it is done; and the pointer a window shows
// while the mouse is over it.

class CWnd;

void ShowWaitCursor();
void ShowArrowCursor();

// The shapes a window's pointer can take, named after what a press there does.
enum class StandardCursor { arrow, sizeAll, sizeWE, sizeNS, sizeNWSE, sizeNESW };

// The pointer over wnd from now on; nothing without a window.
void SetWindowCursor(CWnd* wnd, StandardCursor cursor);
// The pointer wnd shows now (the arrow without a window).
StandardCursor GetWindowCursor(const CWnd* wnd);
