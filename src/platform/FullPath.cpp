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
