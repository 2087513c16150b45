#include "app/InfoDialog.h"
#include "app/TextDialog.h"
#include "platform/ScriptedAnswers.h"
#include "support/TempDir.h"

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {
using Item = std::tuple<DialogItemKind, UINT, std::string, int, int, int, int, DWORD>;
constexpr auto Picture = DialogItemKind::Picture, Button = DialogItemKind::Button,
               Static = DialogItemKind::Static, Edit = DialogItemKind::Edit;
constexpr UINT OK = IDOK, CANCEL = IDCANCEL;

std::vector<Item> Items(const DialogTemplate& t) {
    std::vector<Item> items;
    for (const DialogItem& i : t.items)
        items.emplace_back(i.kind, i.id, i.text, i.x, i.y, i.cx, i.cy, i.style);
    return items;
}
} // namespace

TEST(DialogTemplates, TextAndInfoHaveTheirItemsInOrder) {
    CTextDialog text;
    const DialogTemplate& t = text.GetTemplate();
    EXPECT_EQ(std::make_tuple(t.caption, t.style, t.cx, t.cy),
              std::make_tuple(std::string("Text"), WS_POPUP | WS_CAPTION | DS_MODALFRAME, 281, 138));
    EXPECT_EQ(Items(t),
              (std::vector<Item>{
                  {Picture, IDC_STATIC, "res/textdlg.bmp", 0, 0, 281, 138, WS_DISABLED | SS_SUNKEN},
                  {Button, 1005, "Font,,,", 9, 92, 92, 18, WS_TABSTOP},
                  {Button, 1007, "Center", 108, 92, 63, 18, BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP},
                  {Button, 1006, "Colour...", 178, 92, 92, 18, WS_TABSTOP},
                  {Button, OK, "OK", 9, 114, 42, 18, BS_DEFPUSHBUTTON | WS_TABSTOP},
                  {Button, CANCEL, "Cancel", 228, 114, 42, 18, WS_TABSTOP},
                  {Static, 1004, "", 58, 114, 163, 18, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN},
                  {Edit, 1003, "", 8, 7, 263, 82,
                   ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
              }));

    CInfoDialog info;
    const DialogTemplate& i = info.GetTemplate();
    EXPECT_EQ(std::make_tuple(i.caption, i.style, i.cx, i.cy),
              std::make_tuple(std::string("Info"), WS_POPUP | WS_CAPTION | DS_MODALFRAME, 279, 137));
    EXPECT_EQ(Items(i), (std::vector<Item>{
                            {Picture, IDC_STATIC, "res/infodlg.bmp", 0, 0, 279, 137, 0},
                            {Button, OK, "OK", 142, 111, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
                            {Static, 1008, "testje", 8, 8, 263, 93, SS_CENTER | SS_SUNKEN | WS_BORDER},
                            {Button, CANCEL, "Save", 88, 111, 50, 14, WS_TABSTOP},
                        }));
}

// Shows both dialogs for real over the pictures of the data folder (QUIMBLE_RES_DIR) and saves what they
// show as <QUIMBLE_DEMO_SHOT>-text.png and -info.png; QUIMBLE_DEMO_WAIT keeps each up that many ms.
TEST(DialogTemplates, Demonstration) {
    const char* shot = std::getenv("QUIMBLE_DEMO_SHOT");
    const char* res = std::getenv("QUIMBLE_RES_DIR");
    if (!shot || !res)
        GTEST_SKIP() << "set QUIMBLE_DEMO_SHOT=prefix and QUIMBLE_RES_DIR to show the dialogs";
    SetModalResponder({});
    ScopedCwd cwd(std::filesystem::path(res).parent_path().string());
    const int wait = std::getenv("QUIMBLE_DEMO_WAIT") ? std::atoi(std::getenv("QUIMBLE_DEMO_WAIT")) : 0;
    auto showThenClose = [&](CDialog& dialog, const std::string& file) {
        QTimer::singleShot(0, [&dialog, file, wait] {
            QTest::qWait(100 + wait);
            EXPECT_TRUE(dialog.GetQWidget()->grab().save(QString::fromStdString(file)));
            dialog.EndDialog(IDOK);
        });
    };

    CTextDialog text;
    std::string prompt = "Click OK to replace the layer's contents",
                typed = "Once upon a time\nthere was a dog";
    int centred = 1;
    COLORREF colour = 0x1E0032;
    LOGFONT font;
    showThenClose(text, std::string(shot) + "-text.png");
    EXPECT_EQ(text.Run(&prompt, &typed, &centred, &colour, font), 1);

    CInfoDialog info;
    showThenClose(info, std::string(shot) + "-info.png");
    EXPECT_EQ(info.Run("\n\nImage: </home/ann/quimble/res/chars/iDog.bmp>\n200x150, 24 bits\n"
                       "X: 120, Y: 80, W: 200, H: 150\n\nAlpha: </home/ann/quimble/res/chars/aDog.bmp>",
                       nullptr),
              1);
}
