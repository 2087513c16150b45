#include "support/FrameworkFixture.h"
#include "support/ScriptedAnswers.h"
#include "support/ShownTitle.h"

#include <QMainWindow>
#include <gtest/gtest.h>

namespace {
QMainWindow* Window(CFrameWnd* frame) {
    return static_cast<QMainWindow*>(frame->GetQWidget());
}
} // namespace

TEST(Frame, NewDocumentMakesAShownFrameWithItsViewAndTitle) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    QMainWindow* window = Window(app.Frame());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->centralWidget(), app.View()->GetQWidget());
    EXPECT_EQ(app.View()->GetDocument(), app.Doc());
    EXPECT_EQ(app.Doc()->GetFirstView(), app.View());
    EXPECT_EQ(app.View()->initialUpdates, 1);
    EXPECT_EQ(ShownTitle(window), "Untitled - Quimble");
    // The asked size and the minimum size are the outer frame's.
    EXPECT_EQ(window->frameGeometry(), QRect(30, 40, 500, 400));
    EXPECT_EQ(window->minimumSize() + window->frameGeometry().size() - window->geometry().size(),
              QSize(210, 220));

    app.Doc()->SetPathName("/pictures/beach.qmf", FALSE);
    EXPECT_EQ(ShownTitle(window), "beach.qmf - Quimble");
}

TEST(Frame, CommandsGoToViewDocumentFrameAndApplicationInTurn) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    CFrameWnd* frame = app.Frame();
    EXPECT_TRUE(frame->RouteCommand(ID_VIEW_THING));
    EXPECT_EQ(app.View()->events, std::vector<std::string>{"view thing"});
    EXPECT_EQ(app.Frame()->frameCommands, 0); // the view stopped it
    EXPECT_TRUE(frame->RouteCommand(ID_FRAME_THING));
    EXPECT_EQ(app.Frame()->frameCommands, 1);
    EXPECT_TRUE(frame->RouteCommand(ID_APP_THING));
    EXPECT_EQ(app.appCommands, 1);
    EXPECT_FALSE(frame->RouteCommand(4242));

    // Save is the document's: it has a path, so it saves there without asking.
    ScriptedAnswers answers;
    app.Doc()->SetPathName("/tmp/quimble-frame-test.qmf", FALSE);
    EXPECT_TRUE(frame->RouteCommand(ID_FILE_SAVE));
    EXPECT_EQ(app.Doc()->saved, std::vector<std::string>{"/tmp/quimble-frame-test.qmf"});
    EXPECT_TRUE(answers.asked.empty());
}

TEST(Frame, ClosingAsksOnlyWhenModifiedAndCancelKeepsTheWindow) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    QMainWindow* window = Window(app.Frame());
    ScriptedAnswers answers;
    answers.Then(IDCANCEL).Then(IDNO);

    app.Doc()->SetModifiedFlag();
    app.Frame()->RouteCommand(ID_APP_EXIT);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].text, "Save changes to Untitled?");
    EXPECT_EQ(answers.asked[0].style & 0xF, MB_SAVEDISCARDCANCEL);
    EXPECT_EQ(ShownTitle(window), "Untitled* - Quimble");
    EXPECT_TRUE(window->isVisible());

    window->close(); // the close box: Don't Save lets it go
    EXPECT_EQ(answers.asked.size(), 2u);
    EXPECT_FALSE(window->isVisible());
}

TEST(Frame, YesSavesThroughSaveAsBeforeClosing) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    answers.Then(IDYES).Then(IDOK, "/tmp/chosen.qmf");
    app.Doc()->SetModifiedFlag();
    app.Frame()->OnClose();
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[1].kind, ModalKind::SaveFile);
    EXPECT_EQ(app.Doc()->saved, std::vector<std::string>{"/tmp/chosen.qmf"});
    EXPECT_FALSE(Window(app.Frame())->isVisible());
}

TEST(Frame, FailedSaveKeepsTheWindowOpen) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    answers.Then(IDYES).Then(IDOK, "/tmp/chosen.qmf");
    app.Doc()->saveWorks = FALSE;
    app.Doc()->SetModifiedFlag();
    app.Frame()->OnClose();
    EXPECT_TRUE(Window(app.Frame())->isVisible());
    EXPECT_EQ(app.Doc()->GetPathName(), "");
}
