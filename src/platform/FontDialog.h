#pragma once
// The font dialog: the user picks a face, size and style, delivered as a logical-font record.

#include "platform/Font.h"
#include "platform/WinTypes.h"

class CWnd;

// Font dialog options.
constexpr DWORD CF_SCREENFONTS = 0x1;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x40;
constexpr DWORD CF_EFFECTS = 0x100;
constexpr DWORD CF_NOSIMULATIONS = 0x1000;

class CFontDialog {
public:
    // Starts from initial when given. Without CF_EFFECTS the answer has no underline or strike-out.
    explicit CFontDialog(const LOGFONT* initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CWnd* parent = nullptr);

    // IDOK with the chosen font, or IDCANCEL.
    int DoModal();
    // Face name, character height in pixels as a negative lfHeight, weight, italic, underline, strike-out.
    void GetCurrentFont(LOGFONT* font) const;

private:
    LOGFONT m_lf;
    bool m_hasInitial;
    DWORD m_flags;
    CWnd* m_parent;
};
