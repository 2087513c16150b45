#include "app/LeftAutosave.h"

#include "app/Autosave.h"

#include <algorithm>
#include <filesystem>

CLeftAutosave::CLeftAutosave(std::string path) : m_path(std::move(path)), m_lock(m_path + ".lock") {}

std::vector<std::unique_ptr<CLeftAutosave>> CLeftAutosave::Find(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    // Stepped with an error code: a folder that cannot be read ends the list rather than the program.
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        if (CAutosave::IsAutosaveName(entry->path().filename().string()))
            paths.push_back(entry->path().string());
    std::sort(paths.begin(), paths.end());
    std::vector<std::unique_ptr<CLeftAutosave>> left;
    for (const std::string& path : paths) {
        auto autosave = std::make_unique<CLeftAutosave>(path);
        // The file may have gone while its lock was being taken: its program saved or ended.
        if (autosave->m_lock.TryLock() && std::filesystem::exists(path, error))
            left.push_back(std::move(autosave));
    }
    return left;
}

void CLeftAutosave::Remove() {
    std::error_code error;
    std::filesystem::remove(m_path, error);
    m_lock.Unlock();
}
