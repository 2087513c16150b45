#pragma once
// Directory search by wildcard. Entries come sorted by name, ignoring letter case; the wildcard ("*" any
// run, "?" one character) ignores letter case too, and "*.*" matches every name. "." and ".." are listed
// like any other entry.

#include "platform/WinTypes.h"

struct FindSearch;
using HANDLE = FindSearch*;
inline HANDLE const INVALID_HANDLE_VALUE = nullptr;

// spec is a folder, "/", and a pattern; a spec without "/" searches the working directory.
HANDLE FindFirstFileA(const char* spec, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE search);

bool WildcardMatch(const char* pattern, const char* name);

// Copies the working directory into buffer (size bytes with its zero); returns its length, or the size it
// needs (zero included) when the buffer is too small, or 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
