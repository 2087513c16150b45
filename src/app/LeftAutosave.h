#pragma once
// An autosave that a program left behind when it ended without removing it, as only a crash does: its
// lock is held by nobody. Found at start and held by its lock while the user decides about it, so that a
// second program starting at the same time does not offer it too.

#include "platform/LockFile.h"
#include <memory>
#include <string>
#include <vector>

class CLeftAutosave {
public:
    explicit CLeftAutosave(std::string path);

    // The autosaves in folder whose lock nobody holds, by name; each one's lock is held by its object.
    static std::vector<std::unique_ptr<CLeftAutosave>> Find(const std::string& folder);

    const std::string& GetPath() const { return m_path; }
    // Removes the file, then its lock. Without a remove the file stays for the next start.
    void Remove();

private:
    std::string m_path;
    CLockFile m_lock;
};
