#include "platform/File.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
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

// The file path names once its symbolic links are followed (a relative target counts from the link's
// folder), so that a save replaces that file and leaves the link in place. A link that leads nowhere
// names the file it would point to. 0, or the error.
int FollowLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return errno;
        target.resize(std::size_t(n));
        const std::size_t slash = path.rfind('/');
        if (target.compare(0, 1, "/") != 0 && slash != std::string::npos)
            target.insert(0, path, 0, slash + 1);
        path = target;
    }
    return ELOOP;
}

// Gives the new file fd what a file written in place would have: the owner, group and permissions of
// the file it replaces, or the permissions an ordinary create gives.
void TakePermissions(int fd, const struct stat* old) {
    if (!old) {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        return;
    }
    // Only a privileged user can give the file away; anyone may keep the group if they belong to it.
    // Where neither works the file stays ours, as one newly created in the folder would be.
    [[maybe_unused]] const bool owned =
        fchown(fd, old->st_uid, old->st_gid) == 0 || fchown(fd, uid_t(-1), old->st_gid) == 0;
    fchmod(fd, old->st_mode & 07777);
}

// Whether a file created at path may take its place: 0, or the error. Sets target to the file the links
// lead to, and exists and old to what is there now. The new file is made in target's folder and renamed
// over it, so that folder must take a new file even where the file itself may be written.
int CheckReplaceable(const char* path, std::string& target, bool& exists, struct stat& old) {
    if (!path || !*path)
        return ENOENT;
    target = path;
    if (const int err = FollowLinks(target))
        return err;
    exists = stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    // Writing in place would be refused; replacing the file must not get round that.
    if (exists && access(target.c_str(), W_OK) != 0)
        return errno;
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    return access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}
} // namespace

BOOL CFile::CanReplace(const char* path) {
    std::string target;
    bool exists = false;
    struct stat old;
    return CheckReplaceable(path, target, exists, old) == 0;
}

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
        std::string target;
        bool exists = false;
        struct stat old;
        if (const int err = CheckReplaceable(path, target, exists, old))
            return fail(err);
        // A hidden name of fixed length in the same folder, so that the rename stays within one file
        // system and a long final name cannot make the temporary one too long.
        std::string temp = target.substr(0, target.rfind('/') + 1) + ".quimble-XXXXXX";
        const int fd = mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return fail(errno);
        TakePermissions(fd, exists ? &old : nullptr);
        m_fd = fd;
        m_tempPath = temp;
        m_targetPath = target;
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
    // The new contents reach the disk before they take the old file's place, so that even a crash
    // right after the rename leaves one of the two whole.
    if (!m_tempPath.empty() && fdatasync(m_fd) != 0)
        err = errno;
    if (::close(m_fd) != 0)
        err = errno;
    m_fd = -1;
    if (!m_tempPath.empty()) {
        if (!err && std::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0)
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
