#include "app/InfoDialog.h"

#include "app/AppState.h"
#include "app/PromptForFileName.h"
#include "app/QuimbleResource.h"
#include "imaging/DIB.h"
#include "platform/FrameWnd.h"
#include "platform/WinApp.h"

namespace {
const char saveFilter[] = "Bitmap file (*.bmp)|*.bmp|All Files (*.*)|*.*||";

DialogTemplate InfoTemplate() {
    DialogTemplate t;
    t.caption = DialogCaption(IDD_INFO, GetLanguage());
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = 279;
    t.cy = 137;
    t.items = {
        {DialogItemKind::Picture, IDC_STATIC, "res/infodlg.bmp", 0, 0, 279, 137, 0},
        {DialogItemKind::Button, UINT(IDOK), "OK", 142, 111, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
        // A plain label lets the picture show through.
        {DialogItemKind::Static, CInfoDialog::IDC_INFO, "testje", 8, 8, 263, 93,
         SS_CENTER | SS_SUNKEN | WS_BORDER},
        {DialogItemKind::Button, UINT(IDCANCEL), "Save", 88, 111, 50, 14, WS_TABSTOP},
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
    if (!PromptForFileName(&path, FALSE, nullptr, 0, saveFilter))
        return;
    std::string imageName, alphaName;
    if (!CDIB::MakeCompanionNames(path, CDIB::companionEnsurePrefix, &imageName, &alphaName))
        return;
    // A failed write has been reported; a companion without its image would be of no use.
    if (!m_image->Save(imageName))
        return;
    if (CDIB* alpha = m_image->GetAlpha())
        alpha->Save(alphaName);
}
