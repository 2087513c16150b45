#include "app/ControlIds.h"
#include "support/ScopedLanguage.h"
#include "support/ScriptedAnswers.h"
#include "support/ShellFixture.h"
#include "support/ShownTitle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(Save, FrameworkSaveWithoutAPathAsksSaveAsAndKeepsNoPathThatHoldsNothing) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    answers.Then(IDOK, "/tmp/quimble-never-written.qmf");
    EXPECT_FALSE(app.Doc()->IsModified());

    app.m_pMainWnd->RouteCommand(ID_FILE_SAVE);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].kind, ModalKind::SaveFile);
    EXPECT_EQ(answers.asked[0].text, "Save As");
    EXPECT_EQ(answers.asked[0].filter, "All Files (*.*)|*.*||");
    EXPECT_EQ(app.View()->events, std::vector<int>{}); // the document calls the save itself
    // Nothing could be written (there is no picture area), so the document keeps no path.
    EXPECT_EQ(app.Doc()->GetPathName(), "");
    EXPECT_EQ(ShownTitle(app.Window()), "Untitled - Quimble");
    EXPECT_FALSE(app.Doc()->IsModified());
}

TEST(Save, TheTitleMarksAChangedPictureUntilItIsSaved) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    TempDir dir;
    app.Doc()->SetPathName(dir.Join("picture.qmf"), FALSE);
    EXPECT_EQ(ShownTitle(app.Window()), "picture.qmf - Quimble");
    app.Doc()->OnPictureChanged();
    EXPECT_EQ(ShownTitle(app.Window()), "picture.qmf* - Quimble");
    app.Doc()->PictureIsFile(dir.Join("other.qmf"));
    EXPECT_EQ(ShownTitle(app.Window()), "other.qmf - Quimble");
    // A name of its own with Qt's mark in it shows as it is.
    app.Doc()->SetPathName(dir.Join("a[*].qmf"), FALSE);
    EXPECT_EQ(ShownTitle(app.Window()), "a[*].qmf - Quimble");
}

TEST(Save, ExitBeforeAnySaveAsksNothing) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    app.m_pMainWnd->RouteCommand(ID_APP_EXIT);
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_FALSE(app.Window()->isVisible());
}

TEST(Save, ExitAfterAChangeAsksSaveChanges) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    TempDir dir;
    app.Doc()->SetPathName(dir.Join("picture.qmf"), FALSE);
    app.Doc()->OnPictureChanged();
    answers.Then(IDCANCEL).Then(IDNO);
    app.m_pMainWnd->RouteCommand(ID_APP_EXIT);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].text, "Save changes to picture.qmf?");
    EXPECT_TRUE(app.Window()->isVisible());
    app.Window()->close();
    EXPECT_EQ(answers.asked.size(), 2u);
    EXPECT_FALSE(app.Window()->isVisible());
}

TEST(Save, SaveButtonAsksWithTheEditorsFiltersAndDocumentWithoutViewFails) {
    const ScopedLanguage english(LANG_ENGLISH); // the words checked
    ShellApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    app.View()->OnControlEvent(IDC_SAVE, 0);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].filter,
              "Quimble file (*.qmf)|*.qmf|Bitmap file (*.bmp)|*.bmp|PNG file (*.png)|*.png|All Files "
              "(*.*)|*.*||");
    EXPECT_EQ(answers.asked[0].style, 0x880006u);
    EXPECT_EQ(answers.asked[0].fileName, "");

    CQuimbleDoc lonely;
    EXPECT_FALSE(lonely.OnSaveDocument("/tmp/x.qmf"));
    EXPECT_FALSE(lonely.IsModified());
}
