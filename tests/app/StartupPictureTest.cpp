// A layered picture named on the command line is loaded once the program has started, as Open would.

#include "app/QuimbleApp.h"
#include "app/QuimbleView.h"
#include "composition/LayeredFile.h"
#include "controls/DIBMixer.h"
#include "controls/MessageTable.h"
#include "platform/Document.h"
#include "platform/File.h"
#include "platform/FrameWnd.h"
#include "platform/Modal.h"
#include "platform/RecentFileList.h"
#include "support/Pictures.h"
#include "support/ShownTitle.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
// A layered picture of one visible 50 x 40 layer.
void WriteOneLayer(const std::string& path) {
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    auto picture = SolidPicture(50, 40, RGB(200, 30, 20));
    picture->SetName("ibox.bmp");
    LayeredRecord record;
    record.x = 10, record.y = 10, record.width = 50, record.height = 40;
    record.visible = true;
    record.imageName = "ibox.bmp";
    CLayeredFile::WriteHeader(&file, 1);
    ASSERT_TRUE(CLayeredFile::WriteEntry(&file, record, picture.get()));
    file.Close();
}
} // namespace

TEST(StartupPicture, APictureOnTheCommandLineIsLoadedAsOpenWouldOrTheReadErrorIsShown) {
    const char* res = std::getenv("QUIMBLE_RES_DIR");
    if (!res || !std::filesystem::exists(std::filesystem::path(res) / "Backg.BMP"))
        GTEST_SKIP() << "QUIMBLE_RES_DIR names no data folder";
    ScopedCwd cwd(std::filesystem::path(res).parent_path().string());
    TempDir dir;
    WriteOneLayer(dir.Join("good.qmf"));
    dir.Write("damaged.qmf", dir.Read("good.qmf").substr(0, 100));
    const struct {
        const char* name;
        std::size_t layers;
        bool loaded;
    } cases[] = {{"good.qmf", 1, true}, {"damaged.qmf", 0, false}, {"missing.qmf", 0, false}};
    for (const auto& c : cases) {
        const std::string path = dir.Join(c.name);
        CQuimbleApp app;
        app.m_arguments = {"3", path};
        std::vector<std::string> told;
        SetModalResponder([&told](const ModalQuestion& q) {
            if (q.kind == ModalKind::MessageBox)
                told.push_back(q.text);
            // The start-up picture's own loop lets the window paint, as the real dialog does.
            for (int i = 0; q.kind == ModalKind::Dialog && i < 3; ++i)
                QCoreApplication::processEvents();
            ModalAnswer a;
            a.result = IDOK;
            return a;
        });
        ASSERT_TRUE(app.InitInstance()) << c.name;
        SetModalResponder({});
        auto* view = dynamic_cast<CQuimbleView*>(app.m_pMainWnd->GetActiveView());
        ASSERT_TRUE(view && view->GetPictureArea()) << c.name;
        EXPECT_EQ(view->GetPictureArea()->GetSlots().size(), c.layers) << c.name;
        std::string readError = *view->GetMessageTable().FindMessage(MSG_READ_ERROR);
        readError.replace(readError.find("%1"), 2, c.name);
        EXPECT_EQ(told, c.loaded ? std::vector<std::string>{} : std::vector<std::string>{readError})
            << c.name;
        EXPECT_EQ(app.m_pMainWnd->GetActiveDocument()->GetPathName(), c.loaded ? path : "") << c.name;
        EXPECT_EQ(ShownTitle(app.m_pMainWnd->GetQWidget()),
                  std::string(c.loaded ? c.name : "Untitled") + " - Quimble");
        if (c.loaded) {
            EXPECT_EQ(app.GetRecentFileList()->Entries(), std::vector<std::string>{path});
        }
    }
}
