#pragma once
// Something a menu or shortcut command can reach. The frame offers each command to its targets in turn
// (the active view, its document, the frame, the application); the first that handles it stops it.

#include "platform/WinTypes.h"

// The framework's own commands.
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Handles the command and returns TRUE, or returns FALSE to let the next target have it.
    virtual BOOL OnCmdMsg(UINT) { return FALSE; }
};
