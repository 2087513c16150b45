#pragma once
// The application object: starts the editor in the language the command line names (or ends at once
// when the program's pictures are nowhere), and handles About and Open.

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

private:
    // True when the data folder is there. Else it names the places it looked in, on standard error and in
    // a message box in the program's language, and posts the quit message with a failure code.
    bool CheckDataFolder();
};
