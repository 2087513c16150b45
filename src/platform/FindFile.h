#pragma once
// Directory search by wildcard. Entries come sorted by name, ignoring letter case; the wildcard ("*" any
// run, "?" one character) ignores letter case too, and "*.*" matches every name. "." and ".." are listed
// like any other entry.

#include "platform/WinTypes.h"

constexpr int MAX_PATH = 260;

// File times count 100-nanosecond steps since 1601-01-01.
struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    DWORD dwReserved0 = 0;
    DWORD dwReserved1 = 0;
    char cFileName[MAX_PATH] = {};
    char cAlternateFileName[14] = {};
};
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct FindSearch;
using HANDLE = FindSearch*;
inline HANDLE const INVALID_HANDLE_VALUE = nullptr;

// searchPath is a folder, "/", and a pattern; a searchPath without "/" searches the working directory.
HANDLE FindFirstFileA(const char* searchPath, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE search);

bool WildcardMatch(const char* pattern, const char* name);

// Copies the working directory into buffer (size bytes with its zero); returns its length, or the size it
// needs (zero included) when the buffer is too small, or 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
