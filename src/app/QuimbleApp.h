#pragma once
// The application object: starts the editor in the language the command line names, else the desktop's
// (or ends at once when the program's pictures are nowhere), loads the layered picture the command line
// names, offers to restore a picture that a crash left unsaved, and handles About and Open. A command line
// that asks for help, the version, a render or a thumbnail, or that is not understood, is answered without
// any window instead.

#include "platform/WinApp.h"

class CQuimbleCommandLineInfo;

class CQuimbleApp : public CWinApp {
public:
    CQuimbleApp();

    BOOL InitInstance() override;
    bool ShowsWindows() const override;
    BOOL OnCmdMsg(UINT id) override;
    // Shows the start-up picture again.
    void OnAppAbout();
    // The view's Load command.
    void OnFileOpen();

    // Offers each autosave that an earlier run left behind (it crashed) until one is restored; those
    // discarded are removed.
    void OfferLeftAutosaves();

private:
    // Answers a command line that shows no window; returns the exit status.
    int RunWithoutWindow(const CQuimbleCommandLineInfo& cmdInfo);
    // True when the data folder is there. Else it names the places it looked in, on standard error and in
    // a message box in the program's language, and posts the quit message with a failure code.
    bool CheckDataFolder();
};
