#include "platform/FindFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

struct FindSearch {
    std::vector<WIN32_FIND_DATAA> entries;
    std::size_t next = 0;
};

namespace {
FILETIME ToFileTime(const timespec& t) {
    // 100-ns steps between 1601-01-01 and 1970-01-01.
    constexpr std::uint64_t epochDelta = 116444736000000000ULL;
    std::uint64_t v = epochDelta + std::uint64_t(t.tv_sec) * 10000000ULL + std::uint64_t(t.tv_nsec) / 100;
    return {DWORD(v), DWORD(v >> 32)};
}

bool LessIgnoringCase(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
    int c = strcasecmp(a.cFileName, b.cFileName);
    return c != 0 ? c < 0 : std::strcmp(a.cFileName, b.cFileName) < 0;
}
} // namespace

bool WildcardMatch(const char* pattern, const char* name) {
    if (std::strcmp(pattern, "*.*") == 0)
        return true;
    // Iterative matcher with one backtrack point for the last "*".
    const char *p = pattern, *n = name, *star = nullptr, *mark = nullptr;
    while (*n) {
        if (*p == '*') {
            star = p++;
            mark = n;
        } else if (*p == '?' || (*p && std::tolower((unsigned char)*p) == std::tolower((unsigned char)*n))) {
            ++p, ++n;
        } else if (star) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == 0;
}

HANDLE FindFirstFileA(const char* searchPath, WIN32_FIND_DATAA* data) {
    if (!searchPath || !data)
        return INVALID_HANDLE_VALUE;
    std::string s(searchPath);
    std::size_t slash = s.rfind('/');
    std::string folder =
        slash == std::string::npos ? std::string(".") : s.substr(0, std::max<std::size_t>(slash, 1));
    std::string pattern = slash == std::string::npos ? s : s.substr(slash + 1);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return INVALID_HANDLE_VALUE;
    auto* search = new FindSearch;
    while (dirent* e = readdir(dir)) {
        if (std::strlen(e->d_name) >= MAX_PATH || !WildcardMatch(pattern.c_str(), e->d_name))
            continue;
        WIN32_FIND_DATAA fd;
        std::strcpy(fd.cFileName, e->d_name);
        struct stat st;
        if (fstatat(dirfd(dir), e->d_name, &st, 0) == 0) {
            fd.dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
            if (access((folder + "/" + e->d_name).c_str(), W_OK) != 0)
                fd.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
            fd.nFileSizeHigh = DWORD(std::uint64_t(st.st_size) >> 32);
            fd.nFileSizeLow = DWORD(st.st_size);
            fd.ftCreationTime = ToFileTime(st.st_ctim);
            fd.ftLastAccessTime = ToFileTime(st.st_atim);
            fd.ftLastWriteTime = ToFileTime(st.st_mtim);
        }
        search->entries.push_back(fd);
    }
    closedir(dir);
    std::sort(search->entries.begin(), search->entries.end(), LessIgnoringCase);
    if (search->entries.empty()) {
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    *data = search->entries[search->next++];
    return search;
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) {
    if (!search || !data || search->next >= search->entries.size())
        return FALSE;
    *data = search->entries[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE search) {
    if (!search)
        return FALSE;
    delete search;
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, char* buffer) {
    std::vector<char> cwd(4096);
    while (!getcwd(cwd.data(), cwd.size())) {
        if (errno != ERANGE || cwd.size() > (1u << 20))
            return 0;
        cwd.resize(cwd.size() * 2);
    }
    std::size_t len = std::strlen(cwd.data());
    if (!buffer || len + 1 > size)
        return DWORD(len + 1);
    std::memcpy(buffer, cwd.data(), len + 1);
    return DWORD(len);
}
