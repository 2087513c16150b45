#pragma once
// One entry of a folder listing: the directory search's record of it, copied whole.

#include "platform/FindFile.h"

class CFileInfo {
public:
    CFileInfo() = default;
    explicit CFileInfo(const WIN32_FIND_DATAA& data) : m_data(data) {}
    virtual ~CFileInfo() = default;
    CFileInfo(const CFileInfo&) = default;
    CFileInfo& operator=(const CFileInfo&) = default;

    // The entry's name without folder.
    const char* GetName() const { return m_data.cFileName; }
    bool IsFolder() const { return m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY; }

private:
    WIN32_FIND_DATAA m_data;
};
