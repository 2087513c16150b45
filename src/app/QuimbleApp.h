#pragma once
// The application object: starts the editor in the language the command line names, and handles About
// and Open.

#include "platform/WinApp.h"

class CQuimbleApp : public CWinApp {
public:
    CQuimbleApp();

    BOOL InitInstance() override;
    BOOL OnCmdMsg(UINT id) override;
    // Shows the start-up picture again.
    void OnAppAbout();
    // The view's Load command.
    void OnFileOpen();
};
