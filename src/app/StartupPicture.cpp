#include "app/StartupPicture.h"

#include "app/AppState.h"
#include "app/ProgramTexts.h"
#include "platform/Dialog.h"

void ShowStartupPicture(CWnd* owner) {
    DialogTemplate t;
    t.style = WS_POPUP; // no frame, no caption: the picture is the whole window
    t.cx = 400;
    t.cy = 222;
    t.items.push_back(
        {DialogItemKind::Picture, IDC_STATIC, StartupPicturePath(GetLanguage()), 0, 0, 400, 222, 0});
    t.items.push_back({DialogItemKind::Button, IDOK, ProgramWords(ProgramText::okButton, GetLanguage()), 350,
                       198, 39, 16, BS_DEFPUSHBUTTON});
    CDialog dialog(std::move(t), owner);
    dialog.DoModal();
}
