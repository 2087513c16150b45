#include "support/FrameworkFixture.h"
#include "support/ScriptedAnswers.h"
#include "support/TempDir.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(Print, ThePrintDialogThenOnePageDrawnByOnDrawOnThePrinter) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    TestView* view = app.View();
    TempDir dir;
    ScriptedAnswers answers;
    answers.Then(IDCANCEL).Then(IDOK, dir.Join("page.pdf"));
    view->draws.clear();

    app.Frame()->RouteCommand(ID_FILE_PRINT); // cancelled
    EXPECT_TRUE(view->draws.empty());
    EXPECT_EQ(answers.Count(ModalKind::Print), 1);

    app.Frame()->RouteCommand(ID_FILE_PRINT);
    EXPECT_EQ(view->draws, std::vector<bool>{true});
    EXPECT_EQ(view->events, (std::vector<std::string>{"begin", "end"}));
    EXPECT_EQ(view->printDpi, 1200);
    EXPECT_GT(view->printWidth, 8000); // the printable width of a page at 1200 dpi
    std::string pdf = dir.Read("page.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    // The picture goes in without lossy compression.
    EXPECT_EQ(pdf.find("/DCTDecode"), std::string::npos);
}

TEST(Print, PreviewDrawsTheSamePageWithoutThePrintDialog) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    TestView* view = app.View();
    TempDir dir;
    ScriptedAnswers answers;
    answers.Then(IDOK, dir.Join("preview.pdf"));
    view->draws.clear();
    app.Frame()->RouteCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(answers.Count(ModalKind::Print), 0);
    EXPECT_EQ(answers.Count(ModalKind::PrintPreview), 1);
    EXPECT_EQ(view->draws, std::vector<bool>{true});
    EXPECT_EQ(view->events, (std::vector<std::string>{"begin preview", "end"}));
    EXPECT_EQ(dir.Read("preview.pdf").substr(0, 5), "%PDF-");
}

TEST(Print, SetupAndPostedCommands) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    ScriptedAnswers answers;
    app.Frame()->RouteCommand(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(answers.Count(ModalKind::PrintSetup), 1);

    // A posted command arrives from the event loop, not at once.
    app.View()->PostCommand(ID_FILE_PRINT);
    EXPECT_EQ(answers.Count(ModalKind::Print), 0);
    QTest::qWait(20);
    EXPECT_EQ(answers.Count(ModalKind::Print), 1);
}
