#pragma once
// The entries of one folder that match a wildcard pattern, in the order the directory search gives
// them, and the full path of each. Sub-folders that match are listed like files.

#include "imaging/FileInfo.h"
#include <string>
#include <vector>

class CDirectory {
public:
    CDirectory() = default;
    virtual ~CDirectory() = default;

    // Stores the folder (without a trailing "/") and lists it with the default pattern.
    BOOL SetPath(const std::string& path);
    // Lists the folder again with pattern, or the default pattern without one; 0 (an empty listing)
    // before any folder is set.
    BOOL Scan(const char* pattern = nullptr);
    // Whether to keep an entry; every entry here.
    virtual BOOL Filter(const CFileInfo& info) const;
    // Appends a copy of the entry; none when the listing cannot grow.
    CFileInfo* Add(const CFileInfo& info);
    // The folder, "/" and the name of entry index; 0 outside the listing or without a string.
    BOOL GetFilePath(int index, std::string* path) const;
    int GetCount() const { return int(m_entries.size()); }

    const std::string& GetPath() const { return m_path; }
    void SetDefaultPattern(const std::string& pattern) { m_pattern = pattern; }

private:
    static constexpr DWORD pathSet = 0x1;
    std::string m_path;
    std::string m_pattern = "*.*";
    std::vector<CFileInfo> m_entries;
    DWORD m_flags = 0;
};
