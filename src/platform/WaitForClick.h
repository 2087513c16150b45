#pragma once
// Waits for a click of the left mouse button while the screen keeps painting and no other input reaches
// the program: first for the button's release if it is held, then for its next press. The Escape key
// ends the wait too.

class CWnd;

enum class WaitEnd { clickOnWindow, clickElsewhere, escape };

// How the wait ended: a click on window (none: no click is on it) or beside it, or Escape. A scripted
// answer IDOK is a click on window, IDNO one beside it, anything else Escape.
WaitEnd WaitForClick(const CWnd* window);
