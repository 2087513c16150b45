#include "platform/File.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
CFileException::Cause CauseOf(int err) {
    switch (err) {
    case ENOENT:
        return CFileException::fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return CFileException::accessDenied;
    case ENOSPC:
    case EDQUOT:
        return CFileException::diskFull;
    case ENAMETOOLONG:
    case ENOTDIR:
    case EISDIR:
        return CFileException::badPath;
    default:
        return CFileException::generic;
    }
}
} // namespace

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(const char* path, UINT flags, CFileException* error) {
    Abort();
    auto fail = [&](int err) {
        if (error)
            *error = CFileException(CauseOf(err), path ? path : "", err);
        return FALSE;
    };
    if (!path || !*path)
        return fail(ENOENT);
    if (flags & modeCreate) {
        struct stat st;
        if (stat(path, &st) == 0 && S_ISDIR(st.st_mode))
            return fail(EISDIR);
        std::string temp = std::string(path) + ".XXXXXX";
        int fd = mkstemp(temp.data());
        if (fd < 0)
            return fail(errno);
        // Keep the permissions an ordinary create would give.
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        m_fd = fd;
        m_tempPath = temp;
    } else {
        int fd = ::open(path, ((flags & 3) == modeRead ? O_RDONLY : O_RDWR) | O_CLOEXEC);
        if (fd < 0)
            return fail(errno);
        struct stat st;
        int err = fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
        if (err) {
            ::close(fd);
            return fail(err);
        }
        // Others may read while we read, but not write (advisory, as far as Linux goes).
        if (flags & (shareDenyWrite | shareExclusive))
            flock(fd, ((flags & shareExclusive) ? LOCK_EX : LOCK_SH) | LOCK_NB);
        m_fd = fd;
    }
    m_path = path;
    return TRUE;
}

std::uint64_t CFile::GetLength() const {
    struct stat st;
    if (m_fd < 0 || fstat(m_fd, &st) != 0)
        return 0;
    return std::uint64_t(st.st_size);
}

std::uint64_t CFile::GetPosition() const {
    if (m_fd < 0)
        return 0;
    off_t pos = lseek(m_fd, 0, SEEK_CUR);
    return pos < 0 ? 0 : std::uint64_t(pos);
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_fd < 0)
        throw CFileException(CFileException::generic, m_path);
    UINT done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(m_fd, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw CFileException(CauseOf(errno), m_path, errno);
        }
        if (n == 0)
            break;
        done += UINT(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count) {
    if (m_fd < 0)
        throw CFileException(CFileException::generic, m_path);
    UINT done = 0;
    auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n = ::write(m_fd, in + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw CFileException(CauseOf(errno), m_path, errno);
        }
        done += UINT(n);
    }
}

void CFile::Close() {
    if (m_fd < 0)
        return;
    int err = 0;
    if (::close(m_fd) != 0)
        err = errno;
    m_fd = -1;
    if (!m_tempPath.empty()) {
        if (!err && std::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
            err = errno;
        if (err)
            ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    if (err)
        throw CFileException(CauseOf(err), m_path, err);
}

void CFile::Abort() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}
