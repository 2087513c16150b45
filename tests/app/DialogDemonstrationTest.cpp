#include "app/InfoDialog.h"
#include "app/TextDialog.h"
#include "platform/Modal.h"
#include "support/TempDir.h"

#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

// Shows both dialogs for real over the pictures of the data folder (QUIMBLE_RES_DIR) and saves what they
// show as <QUIMBLE_DEMO_SHOT>-text.png and -info.png; QUIMBLE_DEMO_WAIT keeps each up that many ms.
TEST(Dialogs, Demonstration) {
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
