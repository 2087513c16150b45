#pragma once
// The open and save file dialogs.

#include "platform/WinTypes.h"
#include <string>
#include <vector>

class CWnd;

// File dialog options.
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
// Several existing files may be chosen at once (an open dialog; a scripted answer puts one a line).
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_EXPLORER = 0x80000;
constexpr DWORD OFN_ENABLESIZING = 0x800000;

// What the dialog is set up with; the title may be changed before DoModal.
struct OPENFILENAME {
    DWORD Flags = 0;
    const char* lpstrTitle = nullptr; // null: the framework's caption, "Open" or "Save As" in English
};

class CFileDialog {
public:
    // filter: pairs of display name and pattern(s) separated by '|', ended by "||"; patterns within a pair
    // are separated by ';'. defExt (without the dot), when given, is added to a typed name without one.
    // fileName, when given, is the name offered; the dialog starts in its folder, or in the user's home
    // folder when it names none.
    CFileDialog(BOOL openFileDialog, const char* defExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);

    // IDOK with the chosen path, or IDCANCEL.
    int DoModal();
    std::string GetPathName() const { return m_path; }
    // Every chosen path, the first one first.
    const std::vector<std::string>& GetPathNames() const { return m_paths; }

    OPENFILENAME m_ofn;

private:
    bool m_open;
    std::string m_defExt;
    std::string m_fileName;
    std::string m_filter;
    CWnd* m_parent;
    std::string m_path;
    std::vector<std::string> m_paths;
};
