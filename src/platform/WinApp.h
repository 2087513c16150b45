#pragma once
// The application: it starts the program (InitInstance), runs the event loop until the quit message,
// ends it (ExitInstance), keeps the settings under the settings key with the recent-file list, makes
// the documents through its templates, and handles the application-wide commands.

#include "platform/CmdTarget.h"
#include "platform/FrameworkTexts.h"
#include <memory>
#include <string>
#include <vector>

class CCommandLineInfo;
class CFrameWnd;
class CPrinter;
class CProfile;
class CRecentFileList;
class CSingleDocTemplate;
class QApplication;
class QLocale;
class QTranslator;

class CWinApp : public CCmdTarget {
public:
    // name: the application title, the caption of message boxes and the settings key until one is set.
    explicit CWinApp(const std::string& name);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The whole program: keeps the arguments, starts the platform when it is not running yet, then
    // InitInstance, the event loop (when InitInstance succeeded and no quit was posted yet) and
    // ExitInstance. Returns the exit code: the loop's, else that of a quit posted before it.
    int Run(int argc, char** argv);

    // FALSE ends the program at once.
    virtual BOOL InitInstance();
    // Whether this run shows windows; asked once the arguments are kept, before the platform starts. A
    // run that shows none starts the platform without a screen, so that it needs no display.
    virtual bool ShowsWindows() const { return true; }
    // Writes the recent-file list back; returns the exit code.
    virtual int ExitInstance();

    void SetRegistryKey(const std::string& key);
    // Reads the recent-file list of maxMRU entries and the preview settings.
    void LoadStdProfileSettings(int maxMRU = 4);
    void AddToRecentFileList(const std::string& path);
    // Null before LoadStdProfileSettings.
    const CRecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    // Hands every argument to info's parser.
    void ParseCommandLine(CCommandLineInfo& info);
    // The shell command is always a new document: the first template makes the document, frame and view.
    // FALSE when that fails.
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // Exit (the main window is asked to close) and Print Setup.
    BOOL OnCmdMsg(UINT id) override;
    void OnAppExit();
    void OnFilePrintSetup();

    // The framework's own texts from now on, and Qt's translations for their locale where they are
    // installed (the platform must be running). The application's destruction takes both back.
    void SetFrameworkTexts(FRAMEWORKTEXTS texts);
    const FRAMEWORKTEXTS& GetFrameworkTexts() const { return m_frameworkTexts; }

    CPrinter& GetPrinter();
    // The quit message: ends the message loop, or keeps it from starting when it is not running yet.
    void PostQuit(int code);

    const std::string m_pszAppName;
    std::string m_pszRegistryKey;
    CFrameWnd* m_pMainWnd = nullptr;
    std::vector<std::string> m_arguments;
    // Pages shown side by side in the print preview, from the settings.
    int m_nNumPreviewPages = 0;

private:
    CProfile& Profile();

    std::unique_ptr<QApplication> m_qapp;
    FRAMEWORKTEXTS m_frameworkTexts;
    std::unique_ptr<QTranslator> m_qtTranslator;
    std::unique_ptr<QLocale> m_localeBefore;
    std::vector<std::unique_ptr<CSingleDocTemplate>> m_templates;
    std::unique_ptr<CProfile> m_profile;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CPrinter> m_printer;
    bool m_inMessageLoop = false;
    bool m_quitPosted = false;
    int m_quitCode = 0;
};

// The one application object, or null.
CWinApp* AfxGetApp();

// The framework texts of the application object, or the framework's own without one.
const FRAMEWORKTEXTS& AfxGetFrameworkTexts();

// Ends the application's message loop (and any dialog's loop running in it) with code, without asking
// any window; posted before the loop runs, the loop does not start.
void PostQuitMessage(int code);
