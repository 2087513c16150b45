#pragma once

class CWnd;

// The start-up picture with its OK button (dialog 100), shown modally over owner until OK, Enter or
// Esc closes it. The About command shows it too.
void ShowStartupPicture(CWnd* owner);
