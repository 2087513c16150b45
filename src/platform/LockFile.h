#pragma once
// A lock file that one process at a time holds. A lock left behind by a process that is gone (on this
// machine) counts as free, whatever its age; one held by a running process is never taken from it.

#include <memory>
#include <string>

class CLockFile {
public:
    explicit CLockFile(std::string path);
    // Gives the lock up.
    ~CLockFile();
    CLockFile(const CLockFile&) = delete;
    CLockFile& operator=(const CLockFile&) = delete;

    // Takes the lock without waiting; true when it is held now (also when it was already).
    bool TryLock();
    // Gives the lock up and removes the file.
    void Unlock();
    bool IsLocked() const;
    const std::string& GetPath() const { return m_path; }

private:
    std::string m_path;
    struct LockImpl;
    std::unique_ptr<LockImpl> m_impl;
};

// The id of this process, which names what belongs to it alone.
unsigned long GetCurrentProcessId();
