#pragma once
// Directory search by wildcard. Entries come sorted by name, ignoring letter case; the wildcard ("*" any
// run, "?" one character) ignores letter case too, and "*.*" matches every name. "." and ".." are listed
// like any other entry.

#include "platform/WinTypes.h"

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
