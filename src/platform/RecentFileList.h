#pragma once
// The most recently used files, newest first, without duplicates (paths compared exactly), at most a
// fixed number of them. Kept in a profile section as values "File1", "File2", ...

#include <string>
#include <vector>

class CProfile;

class CRecentFileList {
public:
    CRecentFileList(int size, std::string section, std::string entryPrefix);

    // Puts path first, removing an older entry of the same path; the oldest falls off a full list.
    void Add(const std::string& path);
    int GetSize() const { return m_size; }
    const std::vector<std::string>& Entries() const { return m_entries; }

    void ReadList(const CProfile& profile);
    void WriteList(CProfile& profile) const;

private:
    std::string EntryName(int index) const;

    int m_size;
    std::string m_section;
    std::string m_entryPrefix;
    std::vector<std::string> m_entries;
};
