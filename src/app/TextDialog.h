#pragma once
// The Text dialog (template 130): the user types the text of a balloon and picks its font, colour and
// centring. The caller's settings go in and come back out, whichever button closed it; Cancel empties
// the text.

#include "composition/LayerText.h"
#include "platform/Dialog.h"
#include <string>

class CTextDialog : public CDialog {
public:
    static constexpr UINT IDC_TEXT = 1003;
    static constexpr UINT IDC_PROMPT = 1004;
    static constexpr UINT IDC_FONT = 1005;
    static constexpr UINT IDC_COLOUR = 1006;
    static constexpr UINT IDC_CENTER = 1007;
    // The colour of a text before the user picks one, and again after a cancelled colour dialog.
    static constexpr COLORREF defaultColour = LayerText::defaultColour;

    // Owned by the main window.
    CTextDialog();

    // Shows the dialog with prompt above the buttons and the settings filled in, then hands the edited
    // settings back. 0, showing nothing, when the prompt, the text, the centred flag or the colour is
    // missing; 1 otherwise.
    int Run(const std::string* prompt, std::string* text, int* centred, COLORREF* colour, LOGFONT& font);

    BOOL OnInitDialog() override;
    void OnCommand(UINT id) override;
    void OnCancel() override;

private:
    void OnFont();
    void OnColour();

    std::string m_text;
    std::string m_prompt;
    CWnd* m_edit = nullptr;
    CWnd* m_promptText = nullptr;
    LOGFONT m_font;
    COLORREF m_colour = defaultColour;
    int m_centred = 0;
};
