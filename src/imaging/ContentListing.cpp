#include "imaging/ContentListing.h"

void CContentListing::SetFolders(const std::string& installed, const std::string& own) {
    m_installed.SetPath(installed);
    m_own.SetPath(own);
}

void CContentListing::Scan() {
    m_installed.Scan();
    m_own.Scan();
}

BOOL CContentListing::GetFilePath(int index, std::string* path) const {
    const int installed = m_installed.GetCount();
    return index < installed ? m_installed.GetFilePath(index, path)
                             : m_own.GetFilePath(index - installed, path);
}

int CContentListing::IndexOf(const std::string& path) const {
    std::string entry;
    for (int i = 0; i < GetCount(); ++i)
        if (GetFilePath(i, &entry) && entry == path)
            return i;
    return -1;
}
