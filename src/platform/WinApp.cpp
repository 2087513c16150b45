#include "platform/WinApp.h"

#include "platform/CommandLineInfo.h"
#include "platform/FrameWnd.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/Profile.h"
#include "platform/RecentFileList.h"
#include "platform/SingleDocTemplate.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
CWinApp* theApp = nullptr;
} // namespace

CWinApp* AfxGetApp() {
    return theApp;
}

const FRAMEWORKTEXTS& AfxGetFrameworkTexts() {
    static const FRAMEWORKTEXTS own;
    return AfxGetApp() ? AfxGetApp()->GetFrameworkTexts() : own;
}

void PostQuitMessage(int code) {
    if (CWinApp* app = AfxGetApp())
        app->PostQuit(code);
}

CWinApp::CWinApp(const std::string& name) : m_pszAppName(name) {
    theApp = this;
    SetAppTitle(name);
}

CWinApp::~CWinApp() {
    // Windows go before the platform they live on.
    m_pMainWnd = nullptr;
    m_templates.clear();
    m_printer.reset();
    m_qtTranslator.reset();
    if (m_localeBefore)
        QLocale::setDefault(*m_localeBefore);
    m_profile.reset();
    m_qapp.reset();
    if (theApp == this)
        theApp = nullptr;
}

int CWinApp::Run(int argc, char** argv) {
    m_arguments.assign(argv + std::min(argc, 1), argv + argc);
    if (!QApplication::instance()) {
        if (!ShowsWindows())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int qtArgc = 1;
        static char* qtArgv[] = {argv && argc > 0 ? argv[0] : const_cast<char*>("quimble"), nullptr};
        m_qapp = std::make_unique<QApplication>(qtArgc, qtArgv);
    }
    // The main frame ends the program when it closes, after asking its document; Qt must not end it
    // earlier on its own when the last window hides.
    QApplication::setQuitOnLastWindowClosed(false);
    // Without the loop, the code of a quit posted before it (also by a failing InitInstance) counts.
    int code = 0;
    if (InitInstance() && !m_quitPosted) {
        m_inMessageLoop = true;
        code = QApplication::exec();
        m_inMessageLoop = false;
    } else {
        code = m_quitCode;
    }
    int exitCode = ExitInstance();
    return code ? code : exitCode;
}

void CWinApp::PostQuit(int code) {
    m_quitPosted = true;
    m_quitCode = code;
    // Qt's exit also ends the loops of dialogs running inside the main loop. Outside the main loop it
    // must not be called: it would make every later local loop return at once.
    if (m_inMessageLoop)
        QCoreApplication::exit(code);
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    if (m_recentFiles)
        m_recentFiles->WriteList(Profile());
    return 0;
}

void CWinApp::SetRegistryKey(const std::string& key) {
    m_pszRegistryKey = key;
    m_profile.reset();
}

CProfile& CWinApp::Profile() {
    if (!m_profile)
        m_profile = std::make_unique<CProfile>(m_pszRegistryKey.empty() ? m_pszAppName : m_pszRegistryKey);
    return *m_profile;
}

void CWinApp::LoadStdProfileSettings(int maxMRU) {
    m_recentFiles = std::make_unique<CRecentFileList>(maxMRU, "Recent File List", "File");
    m_recentFiles->ReadList(Profile());
    m_nNumPreviewPages = Profile().GetInt("Settings", "PreviewPages", 0);
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    if (m_recentFiles)
        m_recentFiles->Add(path);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate) {
    if (docTemplate)
        m_templates.push_back(std::move(docTemplate));
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    info.ParseArguments(m_arguments);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo&) {
    return !m_templates.empty() && m_templates.front()->OpenNewDocument() != nullptr;
}

BOOL CWinApp::OnCmdMsg(UINT id) {
    switch (id) {
    case ID_APP_EXIT:
        OnAppExit();
        return TRUE;
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        return TRUE;
    default:
        return FALSE;
    }
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->OnClose();
}

void CWinApp::OnFilePrintSetup() {
    GetPrinter().PageSetup(m_pMainWnd);
}

void CWinApp::SetFrameworkTexts(FRAMEWORKTEXTS texts) {
    m_frameworkTexts = std::move(texts);
    m_qtTranslator.reset();
    if (!QCoreApplication::instance())
        return;
    // Dates, sizes and paper units in Qt's dialogs follow the language too.
    if (!m_localeBefore)
        m_localeBefore = std::make_unique<QLocale>();
    const bool own = m_frameworkTexts.locale.empty();
    QLocale locale = own ? *m_localeBefore : QLocale(QString::fromStdString(m_frameworkTexts.locale));
    QLocale::setDefault(locale);
    if (own)
        return;
    // Qt's standard dialogs take their texts from qtbase; without its translation they stay English.
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        m_qtTranslator = std::move(translator);
}

CPrinter& CWinApp::GetPrinter() {
    if (!m_printer)
        m_printer = std::make_unique<CPrinter>();
    return *m_printer;
}
