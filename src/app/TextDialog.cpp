#include "app/TextDialog.h"

#include "app/AppState.h"
#include "app/QuimbleResource.h"
#include "platform/ColorDialog.h"
#include "platform/FontDialog.h"
#include "platform/FrameWnd.h"
#include "platform/WinApp.h"

namespace {
DialogTemplate TextTemplate() {
    const auto words = [](ProgramText text) { return ProgramWords(text, GetLanguage()); };
    DialogTemplate t;
    t.caption = DialogCaption(IDD_TEXT, GetLanguage());
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = 281;
    t.cy = 138;
    t.items = {
        {DialogItemKind::Picture, IDC_STATIC, "res/textdlg.bmp", 0, 0, 281, 138, WS_DISABLED | SS_SUNKEN},
        {DialogItemKind::Button, CTextDialog::IDC_FONT, words(ProgramText::fontButton), 9, 92, 92, 18,
         WS_TABSTOP},
        {DialogItemKind::Button, CTextDialog::IDC_CENTER, words(ProgramText::centreButton), 108, 92, 63, 18,
         BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP},
        {DialogItemKind::Button, CTextDialog::IDC_COLOUR, words(ProgramText::colourButton), 178, 92, 92, 18,
         WS_TABSTOP},
        {DialogItemKind::Button, UINT(IDOK), words(ProgramText::okButton), 9, 114, 50, 18,
         BS_DEFPUSHBUTTON | WS_TABSTOP},
        {DialogItemKind::Button, UINT(IDCANCEL), words(ProgramText::cancelButton), 220, 114, 50, 18,
         WS_TABSTOP},
        // OK and Cancel are wide enough for "Abbrechen"; a hint longer than the line between them wraps
        // onto a second one.
        {DialogItemKind::Static, CTextDialog::IDC_PROMPT, "", 65, 114, 149, 18,
         SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN},
        {DialogItemKind::Edit, CTextDialog::IDC_TEXT, "", 8, 7, 263, 82,
         ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    };
    return t;
}
} // namespace

CTextDialog::CTextDialog() : CDialog(TextTemplate(), AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr) {}

int CTextDialog::Run(const std::string* prompt, std::string* text, int* centred, COLORREF* colour,
                     LOGFONT& font) {
    if (!prompt || !text || !centred || !colour)
        return 0;
    m_prompt = *prompt;
    m_text = *text;
    m_centred = *centred;
    m_colour = *colour;
    m_font = font;
    DoModal();
    *text = m_text;
    *centred = m_centred;
    *colour = m_colour;
    font = m_font;
    return 1;
}

BOOL CTextDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_edit = GetDlgItem(IDC_TEXT);
    if (!m_edit)
        return TRUE;
    m_edit->SetWindowText(m_text);
    m_promptText = GetDlgItem(IDC_PROMPT);
    if (!m_promptText)
        return TRUE;
    m_promptText->SetWindowText(m_prompt);
    CheckDlgButton(IDC_CENTER, m_centred ? BST_CHECKED : BST_UNCHECKED);
    GotoDlgCtrl(m_edit);
    // The focus was placed here.
    return FALSE;
}

void CTextDialog::OnCommand(UINT id) {
    switch (id) {
    case IDC_TEXT:
        m_text = GetDlgItemText(IDC_TEXT);
        break;
    case IDC_FONT:
        OnFont();
        break;
    case IDC_COLOUR:
        OnColour();
        break;
    case IDC_CENTER:
        m_centred = IsDlgButtonChecked(IDC_CENTER) == UINT(BST_CHECKED) ? 1 : 0;
        break;
    default:
        CDialog::OnCommand(id);
        break;
    }
}

void CTextDialog::OnCancel() {
    m_text.clear();
    CDialog::OnCancel();
}

void CTextDialog::OnFont() {
    // Screen fonts in the styles they really have; the choice starts afresh each time.
    CFontDialog dialog(nullptr, CF_SCREENFONTS | CF_NOSIMULATIONS, this);
    if (dialog.DoModal() == IDOK)
        dialog.GetCurrentFont(&m_font);
}

void CTextDialog::OnColour() {
    CColorDialog dialog(m_colour, CC_RGBINIT | CC_FULLOPEN, this);
    m_colour = dialog.DoModal() == IDOK ? dialog.GetColor() : defaultColour;
}
