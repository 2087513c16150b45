#pragma once
// The Info dialog (template 131): describes the selected layer and can save its image, with the alpha
// companion beside it, as often as the user likes while it is open. Its Save button is the dialog's
// cancel button, so Esc saves too; only OK closes it.

#include "platform/Dialog.h"
#include <string>

class CDIB;

class CInfoDialog : public CDialog {
public:
    static constexpr UINT IDC_INFO = 1008;

    // Owned by the main window.
    CInfoDialog();

    // Shows text with image (not owned; none: Save does nothing); 0, showing nothing, for an empty text.
    int Run(const std::string& text, CDIB* image);

    BOOL OnInitDialog() override;
    // Save (also Esc): asks for a name and writes the image as i<name> and its alpha as a<name>, after
    // asking before either replaces a file; a file that cannot be written is named to the user.
    void OnCancel() override;

private:
    std::string m_text;
    CDIB* m_image = nullptr;
};
