#include "platform/LockFile.h"

#include <QLockFile>
#include <QString>
#include <unistd.h>

struct CLockFile::LockImpl {
    explicit LockImpl(const std::string& path) : lock(QString::fromStdString(path)) {
        // Only a process that is gone leaves a free lock: a running one may hold it for days.
        lock.setStaleLockTime(0);
    }
    QLockFile lock;
};

CLockFile::CLockFile(std::string path)
    : m_path(std::move(path)), m_impl(std::make_unique<LockImpl>(m_path)) {}

CLockFile::~CLockFile() = default;

bool CLockFile::TryLock() {
    return m_impl->lock.isLocked() || m_impl->lock.tryLock(0);
}

void CLockFile::Unlock() {
    m_impl->lock.unlock();
}

bool CLockFile::IsLocked() const {
    return m_impl->lock.isLocked();
}

unsigned long GetCurrentProcessId() {
    return static_cast<unsigned long>(getpid());
}
