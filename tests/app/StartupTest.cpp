#include "app/AppState.h"
#include "app/QuimbleResource.h"
#include "platform/Dialog.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "support/ScriptedAnswers.h"
#include "support/ShellFixture.h"
#include "support/ShownTitle.h"

#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
struct ScreenSize {
    explicit ScreenSize(const char* size) { setenv("QUIMBLE_SCREEN_SIZE", size, 1); }
    ~ScreenSize() { unsetenv("QUIMBLE_SCREEN_SIZE"); }
};

CREATESTRUCT FrameOn(const char* screen) {
    ScreenSize size(screen);
    CMainFrame frame;
    CREATESTRUCT cs;
    EXPECT_TRUE(frame.PreCreateWindow(cs));
    return cs;
}
} // namespace

TEST(Startup, MainWindowIsCentredAt800By600OrFillsASmallerScreen) {
    CREATESTRUCT cs = FrameOn("1024x768");
    EXPECT_EQ((std::vector<int>{cs.x, cs.y, cs.cx, cs.cy}), (std::vector<int>{112, 84, 800, 600}));
    cs = FrameOn("640x480");
    EXPECT_EQ((std::vector<int>{cs.x, cs.y, cs.cx, cs.cy}), (std::vector<int>{0, 0, 640, 480}));
    cs = FrameOn("1025x599"); // wide but low
    EXPECT_EQ((std::vector<int>{cs.x, cs.y, cs.cx, cs.cy}), (std::vector<int>{112, 0, 800, 599}));
}

TEST(Startup, InitInstanceSetsTheLanguageMakesTheWindowThenShowsTheStartupPicture) {
    ScreenSize size("1024x768");
    EmptyDataFolder here;
    CQuimbleApp app;
    app.m_arguments = {"2", "3"};
    struct Seen {
        bool frameVisible = false;
        bool itemsInside = false;
        DialogTemplate dialog;
    };
    std::vector<Seen> seen;
    SetModalResponder([&](const ModalQuestion& q) {
        Seen s;
        s.frameVisible = app.m_pMainWnd && app.m_pMainWnd->GetQWidget()->isVisible();
        if (q.kind == ModalKind::Dialog && q.dialog) {
            s.dialog = q.dialog->GetTemplate();
            QList<QWidget*> items = q.dialog->GetQWidget()->findChildren<QWidget*>();
            s.itemsInside = !items.isEmpty() && std::none_of(items.begin(), items.end(),
                                                             [](QWidget* w) { return w->isWindow(); });
        }
        seen.push_back(s);
        ModalAnswer a;
        a.result = IDOK;
        return a;
    });
    EXPECT_TRUE(app.InitInstance());
    SetModalResponder({});

    EXPECT_EQ(GetLanguage(), LANG_ENGLISH);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].frameVisible);
    EXPECT_TRUE(seen[0].itemsInside); // the picture is shown in the dialog, not as a window of its own
    const DialogTemplate& t = seen[0].dialog;
    EXPECT_EQ(t.style, WS_POPUP);
    EXPECT_EQ(t.cx, 400);
    EXPECT_EQ(t.cy, 222);
    ASSERT_EQ(t.items.size(), 2u);
    EXPECT_EQ(t.items[0].kind, DialogItemKind::Picture);
    EXPECT_EQ(t.items[0].text, "res/startupe.bmp"); // the English one
    EXPECT_EQ((std::vector<int>{t.items[0].x, t.items[0].y, t.items[0].cx, t.items[0].cy}),
              (std::vector<int>{0, 0, 400, 222}));
    EXPECT_EQ(t.items[1].id, UINT(IDOK));
    EXPECT_EQ(t.items[1].text, "OK");
    EXPECT_EQ((std::vector<int>{t.items[1].x, t.items[1].y, t.items[1].cx, t.items[1].cy}),
              (std::vector<int>{350, 198, 39, 16}));

    QWidget* window = app.m_pMainWnd->GetQWidget();
    EXPECT_EQ(ShownTitle(window), "Untitled - Quimble");
    EXPECT_EQ(window->frameGeometry(), QRect(112, 84, 800, 600));
    EXPECT_EQ(app.m_pszRegistryKey, "Quimble");
    // The view was made after the language was known, and its messages speak it.
    auto* view = static_cast<CQuimbleView*>(app.m_pMainWnd->GetActiveView());
    const std::string* quit = view->GetMessageTable().FindMessage(MSG_QUIT);
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(*quit, "Do you really want to Quit?");
    SetLanguage(LANG_NONE);
}

TEST(Startup, RecentFilesKeepFourUnderTheQuimbleKey) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Quimble", "Quimble");
    settings.clear();
    settings.sync();
    {
        EmptyDataFolder here;
        CQuimbleApp app;
        SetModalResponder([](const ModalQuestion&) { return ModalAnswer{}; });
        ASSERT_TRUE(app.InitInstance());
        SetModalResponder({});
        CDocument* doc = app.m_pMainWnd->GetActiveDocument();
        for (const char* path : {"/p/1.qmf", "/p/2.qmf", "/p/3.qmf", "/p/4.qmf", "/p/5.bmp"})
            doc->SetPathName(path);
        doc->SetPathName("/p/not-listed.qmf", FALSE);
        app.ExitInstance();
    }
    settings.sync();
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), "/p/5.bmp");
    EXPECT_EQ(settings.value("Recent File List/File2").toString(), "/p/4.qmf");
    EXPECT_EQ(settings.value("Recent File List/File4").toString(), "/p/2.qmf");
    EXPECT_FALSE(settings.contains("Recent File List/File5"));
}

// Without a data folder in the working directory or beside the program, the program says where it
// looked, in its language and on standard error, and ends with a failure before it makes a window.
TEST(Startup, WithoutADataFolderItSaysWhereItLookedAndFails) {
    TempDir dir;
    ScopedCwd cwd(dir.path);
    const std::vector<std::string> places = DataRootCandidates();
    ASSERT_EQ(places.size(), 2u);
    ASSERT_EQ(places[0], dir.path);
    ASSERT_EQ(FindDataRoot(places), "");
    const std::string looked = places[0] + "/res\n" + places[1] + "/res";
    const struct {
        const char* argument;
        int table; // the language whose text it shows
    } cases[] = {{"3", LANG_ENGLISH}, {"4", LANG_GERMAN}, {"2", LANG_FRENCH}, {"0", LANG_DUTCH}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        ScriptedAnswers answers;
        CQuimbleApp app;
        char program[] = "quimble";
        char* argv[] = {program, const_cast<char*>(c.argument)};
        testing::internal::CaptureStderr();
        EXPECT_EQ(app.Run(2, argv), EXIT_FAILURE);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "quimble: no data folder found; looked in " + places[0] + "/res, " + places[1] + "/res\n");
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0].kind, ModalKind::MessageBox);
        std::string said = NoDataFolderText(c.table);
        said.replace(said.find("%1"), 2, looked);
        EXPECT_EQ(answers.asked[0].text, said);
        EXPECT_EQ(answers.asked[0].caption, "Quimble");
        SetLanguage(LANG_NONE);
    }
}
