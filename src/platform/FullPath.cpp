#include "platform/FullPath.h"

#include "platform/FindFile.h"

std::string MakeFullPath(const std::string& relative) {
    char dir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    if (n == 0 || n >= sizeof dir)
        return relative;
    std::string full(dir, n);
    if (full.back() != '/')
        full += '/';
    return full + relative;
}

std::string FileTitle(const std::string& path) {
    const std::size_t start = path.find_last_of("/\\") + 1; // 0 without a folder
    const std::size_t dot = path.rfind('.');
    return path.substr(start, dot == std::string::npos || dot < start ? std::string::npos : dot - start);
}
