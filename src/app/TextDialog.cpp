#include "app/TextDialog.h"

#include "app/AppState.h"
#include "app/QuimbleResource.h"
#include "app/TextDialogLayout.h"
#include "platform/ColorDialog.h"
#include "platform/FontDialog.h"
#include "platform/FrameWnd.h"
#include "platform/WinApp.h"

namespace {
DialogItem Item(DialogItemKind kind, UINT id, std::string text, const TextDialogPlace& place, DWORD style) {
    return {kind, id, std::move(text), place.x, place.y, place.cx, place.cy, style};
}

DialogItem Button(TextDialogButtonIndex index, UINT id, DWORD style) {
    const TextDialogButton& button = textDialogButtons[index];
    return Item(DialogItemKind::Button, id, ProgramWords(button.words, GetLanguage()), button.place, style);
}

DialogTemplate TextTemplate() {
    DialogTemplate t;
    t.caption = DialogCaption(IDD_TEXT, GetLanguage());
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = textDialogArea.cx;
    t.cy = textDialogArea.cy;
    t.items = {
        Item(DialogItemKind::Picture, IDC_STATIC, "res/textdlg.bmp", textDialogArea, WS_DISABLED | SS_SUNKEN),
        Button(textFontButton, CTextDialog::IDC_FONT, WS_TABSTOP),
        Button(textCentreButton, CTextDialog::IDC_CENTER, BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP),
        Button(textColourButton, CTextDialog::IDC_COLOUR, WS_TABSTOP),
        Button(textOkButton, UINT(IDOK), BS_DEFPUSHBUTTON | WS_TABSTOP),
        Button(textCancelButton, UINT(IDCANCEL), WS_TABSTOP),
        Item(DialogItemKind::Static, CTextDialog::IDC_PROMPT, "", textDialogHint,
             SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN),
        Item(DialogItemKind::Edit, CTextDialog::IDC_TEXT, "", textDialogEdit,
             ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP),
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
