#pragma once
// The open or save file dialog, owned by the main window, starting from the name in path.

#include "platform/WinTypes.h"
#include <string>

// Option bits used when the caller gives none: resizable, explorer style, no read-only box, ask before
// overwriting. An open dialog also requires the folder and the file to exist.
constexpr DWORD DEFAULT_FILE_DIALOG_FLAGS = 0x880006;

// Returns 1 and the chosen full path in path when the user chose a file; 0 (path unchanged) when the
// dialog was cancelled or there is no path string.
int PromptForFileName(std::string* path, BOOL open, const char* defExt, DWORD flags, const char* filter);
