#pragma once
// A menu bar and a table of keyboard shortcuts, described as data and turned into the frame's menus.

#include "platform/WinTypes.h"
#include <string>
#include <vector>

// A menu item: its text ("&" marks the mnemonic, "\t" puts the shortcut text at the right) and its
// command; command 0 is a separator.
struct MENUITEM {
    std::string text;
    UINT command = 0;
};

struct MENUPOPUP {
    std::string text;
    std::vector<MENUITEM> items;
};

class CMenu {
public:
    // Starts a new popup; the items that follow go into it.
    CMenu& AddPopup(const std::string& text);
    CMenu& AddItem(const std::string& text, UINT command);
    CMenu& AddSeparator() { return AddItem("", 0); }

    const std::vector<MENUPOPUP>& Popups() const { return m_popups; }

private:
    std::vector<MENUPOPUP> m_popups;
};

// A keyboard shortcut: a key (an upper-case letter or a digit) with modifiers.
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FALT = 0x10;
struct ACCEL {
    BYTE modifiers = 0;
    WORD key = 0;
    UINT command = 0;
};
