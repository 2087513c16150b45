#include "imaging/Directory.h"

#include "platform/FindFile.h"
#include "platform/Modal.h"

#include <new>

BOOL CDirectory::SetPath(const std::string& path) {
    m_path = path;
    m_flags |= pathSet;
    Scan();
    return TRUE;
}

BOOL CDirectory::Scan(const char* pattern) {
    m_entries.clear();
    if (!(m_flags & pathSet) || m_path.empty())
        return FALSE;
    const std::string searchPath = m_path + "/" + (pattern ? pattern : m_pattern);
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(searchPath.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return TRUE;
    do {
        CFileInfo info(data);
        if (Filter(info) && !Add(info))
            AfxMessageBox("Error: could not add a fileinfo to the directory", MB_OK);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return TRUE;
}

BOOL CDirectory::Filter(const CFileInfo&) const {
    return TRUE;
}

CFileInfo* CDirectory::Add(const CFileInfo& info) {
    try {
        m_entries.push_back(info);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return &m_entries.back();
}

BOOL CDirectory::GetFilePath(int index, std::string* path) const {
    if (!path || index < 0 || index >= GetCount())
        return FALSE;
    *path = m_path + "/" + m_entries[std::size_t(index)].GetName();
    return TRUE;
}
