#include "app/ControlIds.h"
#include "support/ScopedLanguage.h"
#include "support/ScriptedAnswers.h"
#include "support/ShellFixture.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(Commands, EveryMenuItemReachesItsHandler) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    std::vector<int>& events = app.View()->events;

    app.MenuItem("&New...\tCtrl+N")->trigger();
    app.MenuItem("&Open...\tCtrl+O")->trigger();
    EXPECT_EQ(events, (std::vector<int>{int(ID_NEW_PICTURE), IDC_LOAD}));

    app.MenuItem("&Save\tCtrl+S")->trigger();
    app.MenuItem("Save &As...")->trigger();
    app.MenuItem("&Export...\tCtrl+E")->trigger();
    EXPECT_EQ(events, (std::vector<int>{int(ID_NEW_PICTURE), IDC_LOAD, int(ID_FILE_EXPORT)}));
    app.MenuItem("&Print...\tCtrl+P")->trigger();
    app.MenuItem("Print Pre&view")->trigger();
    app.MenuItem("P&rint Setup...")->trigger();
    app.MenuItem("&About Quimble...")->trigger();
    std::vector<ModalKind> kinds;
    for (const ModalQuestion& q : answers.asked)
        kinds.push_back(q.kind);
    EXPECT_EQ(kinds, (std::vector<ModalKind>{ModalKind::OpenFile, ModalKind::SaveFile, ModalKind::SaveFile,
                                             ModalKind::SaveFile, ModalKind::Print, ModalKind::PrintPreview,
                                             ModalKind::PrintSetup, ModalKind::Dialog}));

    app.MenuItem("E&xit\tCtrl+Q")->trigger();
    EXPECT_FALSE(app.Window()->isVisible());
}

TEST(Commands, ShortcutsReachTheSameHandlers) {
    const ScopedLanguage english(LANG_ENGLISH); // the words checked
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    QMainWindow* window = app.Window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(app.View()->events, (std::vector<int>{int(ID_NEW_PICTURE), IDC_LOAD}));
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(app.View()->events, (std::vector<int>{int(ID_NEW_PICTURE), IDC_LOAD, int(ID_FILE_EXPORT)}));
    ASSERT_EQ(answers.asked.size(), 4u);
    EXPECT_EQ(answers.asked[0].kind, ModalKind::OpenFile);
    EXPECT_EQ(answers.asked[1].kind, ModalKind::SaveFile);
    EXPECT_EQ(answers.asked[1].text, "Save As") << "Save of an untitled picture asks for a name";
    EXPECT_EQ(answers.asked[2].kind, ModalKind::SaveFile);
    EXPECT_EQ(answers.asked[2].filter,
              "PNG file (*.png)|*.png|Bitmap file (*.bmp)|*.bmp|All Files (*.*)|*.*||");
    EXPECT_EQ(answers.asked[3].kind, ModalKind::Print);
    // The desktop's Quit: the picture is unchanged, so the window goes without a question.
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(answers.asked.size(), 4u);
}

TEST(Commands, TheMenuAsTheProgramShowsIt) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.MenuAsShown(), "&File|  &New...\tCtrl+N|  &Open...\tCtrl+O|  &Save\tCtrl+S|  Save &As...|"
                                 "  &Export...\tCtrl+E|  A&dd Pictures...|-|"
                                 "  &Print...\tCtrl+P|  Print Pre&view|  P&rint Setup...|-|  E&xit\tCtrl+Q|"
                                 "&Edit|  &Undo\tCtrl+Z|  &Redo\tCtrl+Y|&Help|  &About Quimble...");
}

TEST(Commands, PrintButtonPostsThePrintCommand) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    app.View()->OnControlEvent(IDC_PRINT, 0);
    EXPECT_EQ(answers.Count(ModalKind::Print), 0);
    QTest::qWait(20);
    EXPECT_EQ(answers.Count(ModalKind::Print), 1);
}
