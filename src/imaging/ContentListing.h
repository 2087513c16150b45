#pragma once
// What the thumb strip lists of one kind of content: the installed pictures of its content folder, then
// the user's own pictures of the same kind, each part sorted by name ignoring letter case. The installed
// pictures keep their places whatever the user adds, and an added picture is found at the end.

#include "imaging/ThumbDirectory.h"
#include <string>

class CContentListing {
public:
    // The pattern of the installed pictures to list.
    void SetDefaultPattern(const std::string& pattern) { m_installed.SetDefaultPattern(pattern); }
    // Lists the installed folder and the user's folder (empty: none) anew.
    void SetFolders(const std::string& installed, const std::string& own);
    // Lists both folders again, as they are now.
    void Scan();

    int GetCount() const { return m_installed.GetCount() + m_own.GetCount(); }
    // The full path of entry index; FALSE outside the listing or without a string.
    BOOL GetFilePath(int index, std::string* path) const;
    // The index of the entry with this full path, or -1.
    int IndexOf(const std::string& path) const;
    const std::string& GetOwnFolder() const { return m_own.GetPath(); }

private:
    CThumbDirectory m_installed;
    CThumbDirectory m_own{CThumbDirectory::ownPictures};
};
