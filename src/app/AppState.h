#pragma once
// Process-wide state and helpers of the application shell that every subsystem may use: the language
// number, the display flags, full paths below the working directory, content keys and the wait for a
// click. Header-only, so that the lower subsystems need not link the application shell.

#include "platform/FindFile.h"
#include "platform/WaitForClick.h"
#include <cstdint>
#include <string>

enum : int { LANG_NONE = 0, LANG_DUTCH = 1, LANG_FRENCH = 2, LANG_ENGLISH = 3, LANG_GERMAN = 4 };
enum : std::uint32_t { DISPLAY_PALETTE = 1 };
// Keys of the four-language texts in the message table.
enum : int {
    MSG_REPLACE_LAYER = 1,
    MSG_REPLACE_PROMPT = 2,
    MSG_CLEAR_LAYER = 3,
    MSG_QUIT = 4,
    MSG_SAVE_ERROR = 5,
    MSG_READ_ERROR = 6
};

namespace appstate {
inline int language = LANG_NONE;
inline std::uint32_t displayFlags = 0;
inline std::uint32_t contentKeyCounter = 0;
} // namespace appstate

inline int GetLanguage() {
    return appstate::language;
}
inline void SetLanguage(int language) {
    appstate::language = language;
}

inline int TestDisplayFlag(std::uint32_t mask) {
    return (appstate::displayFlags & mask) ? 1 : 0;
}
inline void SetDisplayFlag(std::uint32_t mask) {
    appstate::displayFlags |= mask;
}
inline void ClearDisplayFlag(std::uint32_t mask) {
    appstate::displayFlags &= ~mask;
}

// The working directory, one "/" unless it already ends with one, and the relative path. When the working
// directory cannot be had, or is longer than MAX_PATH allows, the relative path comes back unchanged.
inline std::string MakeFullPath(const std::string& relative) {
    char dir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    if (n == 0 || n >= sizeof dir)
        return relative;
    std::string full(dir, n);
    if (full.back() != '/')
        full += '/';
    return full + relative;
}

// Content keys name one content picture of a layer: 1, 2, 3, ... and never 0, also after a wrap.
inline std::uint32_t NewContentKey() {
    if (++appstate::contentKeyCounter == 0)
        appstate::contentKeyCounter = 1;
    return appstate::contentKeyCounter;
}

// Blocks until the left mouse button is released (if held) and then pressed again.
inline void WaitForClick() {
    PlatformWaitForClick();
}
