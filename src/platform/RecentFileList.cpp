#include "platform/RecentFileList.h"

#include "platform/Profile.h"
#include <algorithm>

CRecentFileList::CRecentFileList(int size, std::string section, std::string entryPrefix)
    : m_size(std::max(size, 0)), m_section(std::move(section)), m_entryPrefix(std::move(entryPrefix)) {}

std::string CRecentFileList::EntryName(int index) const {
    return m_entryPrefix + std::to_string(index + 1);
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || m_size == 0)
        return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (int(m_entries.size()) > m_size)
        m_entries.resize(m_size);
}

// Read back to front through Add, so that the order stays and a hand-edited file with gaps or repeated
// entries still gives a clean list.
void CRecentFileList::ReadList(const CProfile& profile) {
    m_entries.clear();
    for (int i = m_size - 1; i >= 0; --i)
        Add(profile.GetString(m_section, EntryName(i)));
}

void CRecentFileList::WriteList(CProfile& profile) const {
    for (int i = 0; i < m_size; ++i) {
        if (i < int(m_entries.size()))
            profile.WriteString(m_section, EntryName(i), m_entries[i]);
        else
            profile.Remove(m_section, EntryName(i));
    }
}
