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

PathParts SplitPath(const std::string& path) {
    const std::size_t nameStart = path.find_last_of("/\\") + 1; // 0 without a folder
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    return {path.substr(0, nameStart), path.substr(nameStart, dot - nameStart), path.substr(dot)};
}
