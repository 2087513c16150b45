#include "app/InfoDialog.h"

#include "app/AppState.h"
#include "app/PromptForFileName.h"
#include "app/QuimbleResource.h"
#include "imaging/DIB.h"
#include "platform/FileDialog.h"
#include "platform/FrameWnd.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/WinApp.h"

#include <filesystem>

namespace {
// The name typed is never written itself, so the dialog does not ask about it: the names written are
// asked about one by one instead.
constexpr DWORD saveFlags = DEFAULT_FILE_DIALOG_FLAGS & ~OFN_OVERWRITEPROMPT;

// Whether path may be written: yes where there is no file yet, else when the user says so.
bool MayReplace(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return true;
    const PathParts parts = SplitPath(path);
    const std::string question =
        ProgramTextOf(ProgramText::replaceFile, GetLanguage(), parts.name + parts.extension);
    return AfxMessageBox(question.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

// Writes image to path, or tells the user that it could not.
bool Written(CDIB& image, const std::string& path) {
    if (image.Save(path, CDIB::callerReportsFailure))
        return true;
    AfxMessageBox(ProgramTextOf(ProgramText::fileNotWritten, GetLanguage(), path).c_str(), MB_ICONERROR);
    return false;
}

DialogTemplate InfoTemplate() {
    DialogTemplate t;
    t.caption = DialogCaption(IDD_INFO, GetLanguage());
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = 279;
    t.cy = 137;
    t.items = {
        {DialogItemKind::Picture, IDC_STATIC, "res/infodlg.bmp", 0, 0, 279, 137, 0},
        {DialogItemKind::Button, UINT(IDOK), ProgramWords(ProgramText::okButton, GetLanguage()), 142, 111, 50,
         14, BS_DEFPUSHBUTTON | WS_TABSTOP},
        // A plain label lets the picture show through.
        {DialogItemKind::Static, CInfoDialog::IDC_INFO, "testje", 8, 8, 263, 93,
         SS_CENTER | SS_SUNKEN | WS_BORDER},
        {DialogItemKind::Button, UINT(IDCANCEL), ProgramWords(ProgramText::saveButton, GetLanguage()), 88,
         111, 50, 14, WS_TABSTOP},
    };
    return t;
}
} // namespace

CInfoDialog::CInfoDialog() : CDialog(InfoTemplate(), AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr) {}

int CInfoDialog::Run(const std::string& text, CDIB* image) {
    if (text.empty())
        return 0;
    m_text = text;
    m_image = image;
    DoModal();
    return 1;
}

BOOL CInfoDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* info = GetDlgItem(IDC_INFO))
        info->SetWindowText(m_text);
    return TRUE;
}

void CInfoDialog::OnCancel() {
    if (!m_image)
        return;
    std::string path;
    if (!PromptForFileName(&path, FALSE, nullptr, saveFlags,
                           FileFilterOf({ProgramText::bitmapFileType}, GetLanguage()).c_str()))
        return;
    std::string imageName, alphaName;
    if (!CDIB::MakeCompanionNames(path, CDIB::companionEnsurePrefix, &imageName, &alphaName))
        return;
    // The two belong together: either is written only when both may be.
    CDIB* alpha = m_image->GetAlpha();
    if (!MayReplace(imageName) || (alpha && !MayReplace(alphaName)))
        return;
    // A companion without its image would be of no use.
    if (Written(*m_image, imageName) && alpha)
        Written(*alpha, alphaName);
}
