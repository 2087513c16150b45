#include "platform/RecentFileList.h"
#include "support/FrameworkFixture.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {
struct QuittingApp : TestApp {
    BOOL InitInstance() override {
        SetRegistryKey("QuimbleWinAppTest");
        LoadStdProfileSettings(4);
        AddToRecentFileList("/first.qmf");
        AddToRecentFileList("/second.qmf");
        if (!start)
            return FALSE;
        Start();
        PostQuitMessage(3);
        return TRUE;
    }
    bool start = true;
};

struct Flags : CCommandLineInfo {
    void ParseParam(const char* param, BOOL flag, BOOL last) override {
        seen.push_back(std::string(flag ? "flag " : "") + param + (last ? " last" : ""));
    }
    std::vector<std::string> seen;
};
} // namespace

TEST(WinApp, RunsTheLoopUntilTheQuitMessageAndWritesTheRecentFilesAtExit) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "QuimbleWinAppTest", "QuimbleWinAppTest");
    settings.clear();
    settings.setValue("Recent File List/File1", "/from-before.qmf");
    settings.setValue("Settings/PreviewPages", 2);
    settings.sync();

    QuittingApp app;
    char name[] = "quimble";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(app.Run(1, argv), 3);
    EXPECT_EQ(app.m_nNumPreviewPages, 2);
    settings.sync();
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), "/second.qmf");
    EXPECT_EQ(settings.value("Recent File List/File2").toString(), "/first.qmf");
    EXPECT_EQ(settings.value("Recent File List/File3").toString(), "/from-before.qmf");
    EXPECT_FALSE(settings.contains("Recent File List/File4"));
}

TEST(WinApp, FailedStartEndsWithoutALoopButStillExits) {
    QuittingApp app;
    app.start = false;
    char name[] = "quimble";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(app.Run(1, argv), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "QuimbleWinAppTest", "QuimbleWinAppTest");
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), "/second.qmf");
}

TEST(WinApp, ArgumentsLoseOneSwitchMarkerAndSayWhetherTheyWereFlags) {
    TestApp app;
    app.m_arguments = {"3", "-4", "/x", "--5", "name.qmf"};
    Flags info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.seen, (std::vector<std::string>{"3", "flag 4", "flag x", "flag -5", "name.qmf last"}));
}

TEST(WinApp, WithoutATemplateTheShellCommandFails) {
    TestApp app;
    Flags info;
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetApp(), &app);
}
