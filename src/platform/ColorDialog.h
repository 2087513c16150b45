#pragma once
// The colour dialog.

#include "platform/WinTypes.h"

class CWnd;

// Colour dialog options.
constexpr DWORD CC_RGBINIT = 0x1;
constexpr DWORD CC_FULLOPEN = 0x2;

class CColorDialog {
public:
    // CC_RGBINIT starts from initial (else from black); the custom colours start white each time.
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

    // IDOK with the chosen colour, or IDCANCEL.
    int DoModal();
    // The chosen colour; before a choice (or after Cancel), the one it started from.
    COLORREF GetColor() const { return m_colour; }

private:
    COLORREF m_colour;
    DWORD m_flags;
    CWnd* m_parent;
};
