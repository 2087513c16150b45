#pragma once
// Waits for a click of the left mouse button while the screen keeps painting and no other input reaches
// the program: first for the button's release if it is held, then for its next press.

void WaitForClick();
