#include "app/QuimbleApp.h"

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/MainFrame.h"
#include "app/QuimbleCommandLineInfo.h"
#include "app/QuimbleDoc.h"
#include "app/QuimbleResource.h"
#include "app/QuimbleView.h"
#include "app/RenderCommand.h"
#include "app/StartupPicture.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/SingleDocTemplate.h"

#include <cstdio>
#include <cstdlib>

CQuimbleApp::CQuimbleApp() : CWinApp("Quimble") {}

BOOL CQuimbleApp::InitInstance() {
    // A render writes its files and ends, leaving the settings alone.
    if (CRenderCommand::IsRequested(m_arguments)) {
        PostQuitMessage(CRenderCommand().Run(m_arguments, stdout, stderr));
        return FALSE;
    }
    SetRegistryKey("Quimble");
    LoadStdProfileSettings(4);
    // The menu, the framework's texts and the view are all made in the language of the command line.
    CQuimbleCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    SetFrameworkTexts(QuimbleFrameworkTexts(GetLanguage()));
    if (!CheckDataFolder())
        return FALSE;
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        QuimbleDocResource(GetLanguage()), [] { return std::make_unique<CQuimbleDoc>(); },
        [] { return std::make_unique<CMainFrame>(); }, [] { return std::make_unique<CQuimbleView>(); }));
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    ShowStartupPicture(m_pMainWnd);
    // As Open would: the document takes the path, or the user is told and the picture stays empty.
    if (!cmdInfo.m_strFileName.empty() && m_pMainWnd)
        if (auto* view = dynamic_cast<CQuimbleView*>(m_pMainWnd->GetActiveView()))
            view->LoadPicture(cmdInfo.m_strFileName.c_str());
    return TRUE;
}

bool CQuimbleApp::ShowsWindows() const {
    return !CRenderCommand::IsRequested(m_arguments);
}

BOOL CQuimbleApp::OnCmdMsg(UINT id) {
    switch (id) {
    case ID_APP_ABOUT:
        OnAppAbout();
        return TRUE;
    case ID_FILE_OPEN:
        OnFileOpen();
        return TRUE;
    default:
        return CWinApp::OnCmdMsg(id);
    }
}

void CQuimbleApp::OnAppAbout() {
    ShowStartupPicture(m_pMainWnd);
}

void CQuimbleApp::OnFileOpen() {
    if (!m_pMainWnd)
        return;
    if (auto* view = dynamic_cast<CQuimbleView*>(m_pMainWnd->GetActiveView()))
        view->OnControlEvent(IDC_LOAD, 0);
}

bool CQuimbleApp::CheckDataFolder() {
    const std::vector<std::string> places = DataRootCandidates();
    if (!FindDataRoot(places).empty())
        return true;
    auto listed = [&places](const char* separator) {
        std::string list;
        for (const std::string& root : places)
            list += (list.empty() ? "" : separator) + root + "/" + DATA_FOLDER;
        return list;
    };
    std::fprintf(stderr, "quimble: no data folder found; looked in %s\n", listed(", ").c_str());
    std::string text = NoDataFolderText(GetLanguage());
    text.replace(text.find("%1"), 2, listed("\n"));
    AfxMessageBox(text.c_str(), MB_ICONERROR);
    PostQuitMessage(EXIT_FAILURE);
    return false;
}
