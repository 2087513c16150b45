#pragma once
// Dialogs built from a template: a caption, a size and items placed in dialog units. A dialog runs
// modally; its buttons and edits report to OnCommand with their ids, Enter presses the default button,
// Esc and the close box send IDCANCEL.

#include "platform/Button.h"
#include "platform/Modal.h"
#include "platform/Wnd.h"
#include <memory>
#include <string>
#include <vector>

// The id of items nobody looks up.
constexpr UINT IDC_STATIC = UINT(-1);

// Dialog frame, static and edit styles, and the notification of an edit.
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_CENTERIMAGE = 0x200;
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr DWORD ES_MULTILINE = 0x4;
constexpr DWORD ES_AUTOVSCROLL = 0x40;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr UINT EN_CHANGE = 0x300;

enum class DialogItemKind {
    // text: a BMP file path, a relative one resolved by MakeFullPath, shown at its own size from the top
    // left.
    Picture,
    // A push button; style BS_DEFPUSHBUTTON makes it the default one, BS_AUTOCHECKBOX | BS_PUSHLIKE a
    // push button that stays in when checked.
    Button,
    // Text, wrapped at word ends; SS_CENTER centres it across, SS_CENTERIMAGE down, SS_SUNKEN and WS_BORDER
    // frame it.
    Static,
    // ES_MULTILINE: several lines, Enter starts a new one; ES_AUTOHSCROLL: lines do not wrap; WS_BORDER.
    Edit,
};

// Dialog units are those of an 8-point sans-serif font: a place x, y, cx, cy in units is x × 3 / 2,
// y × 13 / 8, cx × 3 / 2, cy × 13 / 8 in pixels.
struct DialogItem {
    DialogItemKind kind = DialogItemKind::Static;
    UINT id = IDC_STATIC;
    std::string text;
    // Place in dialog units.
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
};

struct DialogTemplate {
    std::string caption;
    // WS_POPUP alone: no frame and no caption. WS_CAPTION | DS_MODALFRAME: a fixed-size dialog with its
    // caption; WS_SYSMENU adds the close box.
    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU;
    int cx = 0, cy = 0;
    std::vector<DialogItem> items;
};

class CDialog : public CWnd {
public:
    explicit CDialog(DialogTemplate dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the dialog, calls OnInitDialog and runs it until EndDialog; returns EndDialog's value (IDCANCEL
    // when the dialog could not run). A scripted answer runs it without showing it: the script may work
    // the items through the dialog's handlers; the result is EndDialog's value when the script ended the
    // dialog, else the answer's.
    virtual int DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // A button was clicked or an edit changed. By default IDOK calls OnOK and IDCANCEL OnCancel.
    virtual void OnCommand(UINT id);

    // Items exist while the dialog runs.
    CWnd* GetDlgItem(UINT id) const;
    void SetDlgItemText(UINT id, const std::string& text);
    std::string GetDlgItemText(UINT id) const;
    void CheckDlgButton(UINT id, UINT check);
    UINT IsDlgButtonChecked(UINT id) const;
    void GotoDlgCtrl(CWnd* control);

    const DialogTemplate& GetTemplate() const { return m_template; }

private:
    void BuildItems();

    DialogTemplate m_template;
    CWnd* m_pParentWnd;
    std::vector<std::unique_ptr<CWnd>> m_items;
    bool m_ended = false;
    int m_result = IDCANCEL;
};
