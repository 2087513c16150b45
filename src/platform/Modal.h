#pragma once
// Every modal question the program asks (message boxes, the file, font, colour and print dialogs, the
// program's own dialogs, the wait for a click) passes through here. Normally the real Qt dialog answers;
// a test installs a responder that answers in its place and can record what was asked.

#include "platform/Font.h"
#include "platform/WinTypes.h"
#include <functional>
#include <optional>
#include <string>

class CDialog;

// Message box styles and answers.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
// Save, Don't Save and Cancel, answered IDYES, IDNO and IDCANCEL.
constexpr UINT MB_SAVEDISCARDCANCEL = 0x7;
// Restore and Discard, answered IDYES and IDNO; nothing else closes the box.
constexpr UINT MB_RESTOREDISCARD = 0x8;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum class ModalKind {
    MessageBox,
    OpenFile,
    SaveFile,
    Font,
    Colour,
    PrintSetup,
    Print,
    PrintPreview,
    Dialog,
    WaitForClick
};

struct ModalQuestion {
    ModalKind kind = ModalKind::MessageBox;
    std::string text;          // message box: the text; file dialog: its title
    std::string caption;       // message box: the caption
    UINT style = 0;            // message box style; file dialog option bits; font and colour dialog flags
    std::string filter;        // file dialogs: "name|pattern|...||"
    std::string fileName;      // file dialogs: the initial name
    COLORREF colour = 0;       // colour dialog: the colour it starts from
    CDialog* dialog = nullptr; // the program's own dialog being run, so that a script can work its controls
};

struct ModalAnswer {
    int result = IDCANCEL; // message box: the button; dialogs: IDOK or IDCANCEL
    std::string path;      // file dialogs: the chosen full path
    LOGFONT font;          // font dialog
    COLORREF colour = 0;   // colour dialog
};

using ModalResponder = std::function<ModalAnswer(const ModalQuestion&)>;

// Installs the responder that answers instead of the user; an empty one brings the real dialogs back.
void SetModalResponder(ModalResponder responder);
// The scripted answer to a question, or nothing when the real dialog must ask.
std::optional<ModalAnswer> ScriptedAnswer(const ModalQuestion& question);

// The application title, the caption of every message box.
void SetAppTitle(const std::string& title);
const std::string& GetAppTitle();

// Message box with the application title as caption. Without an icon in the style, OK and OK/Cancel
// boxes get the warning icon and the others the question icon. Returns the button pressed. Buttons that
// Qt has no fitting text for (Don't Save, Restore, Discard) take the framework's texts.
int AfxMessageBox(const char* text, UINT style = MB_OK);
