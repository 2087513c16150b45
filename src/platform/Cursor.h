#pragma once
// The wait cursor while the program works, the arrow again when it is done.

void ShowWaitCursor();
void ShowArrowCursor();
