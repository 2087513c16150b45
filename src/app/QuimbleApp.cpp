#include "app/QuimbleApp.h"

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/LeftAutosave.h"
#include "app/LocaleLanguage.h"
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
    CQuimbleCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    SetLanguage(cmdInfo.m_language != LANG_NONE ? cmdInfo.m_language : LanguageOfLocale());
    // A command without a window does its work and ends, leaving the settings alone.
    if (cmdInfo.m_mode != CQuimbleCommandLineInfo::editor) {
        PostQuitMessage(RunWithoutWindow(cmdInfo));
        return FALSE;
    }
    SetRegistryKey("Quimble");
    LoadStdProfileSettings(4);
    // The menu, the framework's texts and the view are all made in the language chosen.
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
    OfferLeftAutosaves();
    return TRUE;
}

void CQuimbleApp::OfferLeftAutosaves() {
    auto* doc = dynamic_cast<CQuimbleDoc*>(m_pMainWnd ? m_pMainWnd->GetActiveDocument() : nullptr);
    if (!doc)
        return;
    const std::string question = ProgramTextOf(ProgramText::restoreAutosave, GetLanguage());
    for (const auto& left : CLeftAutosave::Find(CAutosave::Folder())) {
        if (AfxMessageBox(question.c_str(), MB_RESTOREDISCARD | MB_ICONQUESTION) == IDYES &&
            doc->RestoreAutosave(left->GetPath())) {
            // The picture is safe in this run's autosave, or else the file left stays for the next start.
            if (doc->GetAutosave().IsWritten())
                left->Remove();
            return;
        }
        // Discarded, or of no use as it cannot be read.
        left->Remove();
    }
}

bool CQuimbleApp::ShowsWindows() const {
    CQuimbleCommandLineInfo cmdInfo;
    cmdInfo.ParseArguments(m_arguments);
    return cmdInfo.m_mode == CQuimbleCommandLineInfo::editor;
}

int CQuimbleApp::RunWithoutWindow(const CQuimbleCommandLineInfo& cmdInfo) {
    using Info = CQuimbleCommandLineInfo;
    switch (cmdInfo.m_mode) {
    case Info::help:
    case Info::badArguments:
        // Qt's translations give the usage's headings in the language chosen.
        SetFrameworkTexts(QuimbleFrameworkTexts(GetLanguage()));
        if (cmdInfo.m_mode == Info::help) {
            std::fputs(Info::HelpText().c_str(), stdout);
            return EXIT_SUCCESS;
        }
        std::fprintf(stderr, "quimble: %s\n\n%s", cmdInfo.ErrorText().c_str(), Info::HelpText().c_str());
        return CRenderCommand::badArguments;
    case Info::version:
        std::printf("quimble %s\n", QUIMBLE_VERSION);
        return EXIT_SUCCESS;
    case Info::render:
        return CRenderCommand().Run(cmdInfo.m_arguments, stdout, stderr);
    case Info::thumbnail: {
        const std::vector<std::string>& in = cmdInfo.m_positionals;
        return CRenderCommand().Thumbnail(in[0], in[1], in[2], stderr);
    }
    case Info::editor:
        break;
    }
    return EXIT_FAILURE;
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
