#include "platform/FileDialog.h"
#include "platform/RecentFileList.h"
#include "support/FrameworkFixture.h"
#include "support/ScriptedAnswers.h"
#include "support/ShownTitle.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QLocale>
#include <QWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Document, SaveWithoutAPathAsksWithSaveAsAndTakesTheNameOnlyWhenSaved) {
    TestApp app;
    app.LoadStdProfileSettings(4);
    ASSERT_TRUE(app.Start());
    TestDoc* doc = app.Doc();
    ScriptedAnswers answers;
    answers.Then(IDCANCEL).Then(IDOK, "/tmp/failed.qmf").Then(IDOK, "/tmp/dir/saved.qmf");

    EXPECT_FALSE(doc->DoFileSave()); // cancelled
    EXPECT_TRUE(doc->saved.empty());
    ASSERT_EQ(answers.asked.size(), 1u);
    const ModalQuestion& q = answers.asked[0];
    EXPECT_EQ(q.kind, ModalKind::SaveFile);
    EXPECT_EQ(q.filter, "All Files (*.*)|*.*||");
    EXPECT_EQ(q.fileName, "Untitled");
    EXPECT_TRUE(q.style & OFN_OVERWRITEPROMPT);

    doc->saveWorks = FALSE;
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_EQ(doc->GetTitle(), "Untitled");

    doc->saveWorks = TRUE;
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_EQ(doc->GetPathName(), "/tmp/dir/saved.qmf");
    EXPECT_EQ(doc->GetTitle(), "saved.qmf");
    EXPECT_EQ(app.GetRecentFileList()->Entries(), std::vector<std::string>{"/tmp/dir/saved.qmf"});
    EXPECT_EQ(doc->saved, (std::vector<std::string>{"/tmp/failed.qmf", "/tmp/dir/saved.qmf"}));
}

TEST(Document, SaveWithAPathAsksOnlyWhenTheFileCannotBeWritten) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    TestDoc* doc = app.Doc();
    TempDir dir;
    std::string path = dir.Write("picture.qmf", "old");
    doc->SetPathName(path, FALSE);
    ScriptedAnswers answers;
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_TRUE(answers.asked.empty());

    std::string fresh = dir.Join("not-yet-there.qmf");
    doc->SetPathName(fresh, FALSE);
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(doc->saved, (std::vector<std::string>{path, fresh}));

    // A file is written beside its name and renamed into place: a folder that takes no new file (here
    // one that is not there, which holds for root too) makes the file as read-only as its own mode.
    const std::string lost = dir.Join("gone/picture.qmf");
    doc->SetPathName(lost, FALSE);
    answers.Then(IDCANCEL);
    EXPECT_FALSE(doc->DoFileSave());
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].fileName, lost);
    answers.asked.clear();
    doc->SetPathName(path, FALSE);

    if (geteuid() != 0) { // root writes read-only files anyway
        chmod(path.c_str(), 0444);
        doc->SetPathName(path, FALSE);
        answers.Then(IDCANCEL);
        EXPECT_FALSE(doc->DoFileSave());
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0].fileName, path);
    }
}

TEST(Document, SaveModifiedAsksWithTheTitle) {
    TestApp app;
    ASSERT_TRUE(app.Start());
    TestDoc* doc = app.Doc();
    ScriptedAnswers answers;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(answers.asked.empty());

    doc->SetPathName("/tmp/beach.qmf", FALSE);
    doc->SetModifiedFlag();
    answers.Then(IDNO).Then(IDCANCEL).Then(IDYES);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_TRUE(doc->SaveModified());
    ASSERT_EQ(answers.asked.size(), 3u);
    EXPECT_EQ(answers.asked[0].text, "Save changes to beach.qmf?");
    EXPECT_EQ(answers.asked[0].caption, "Quimble");
    EXPECT_EQ(doc->saved, std::vector<std::string>{"/tmp/beach.qmf"});
}

TEST(Document, TheApplicationsTextsAndLocaleHoldWhileItLives) {
    const QLocale before;
    {
        TestApp app;
        app.SetFrameworkTexts({"de", "Änderungen in %1 speichern?", "Unbenannt", "Öffnen", "Speichern unter",
                               "Alle Dateien (*.*)"});
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(ShownTitle(app.Frame()->GetQWidget()), "Unbenannt - Quimble");
        ScriptedAnswers answers;
        app.Doc()->SetModifiedFlag();
        EXPECT_FALSE(app.Doc()->SaveModified());
        EXPECT_FALSE(app.Doc()->DoFileSave());
        CFileDialog(TRUE).DoModal();
        ASSERT_EQ(answers.asked.size(), 3u);
        EXPECT_EQ(answers.asked[0].text, "Änderungen in Unbenannt speichern?");
        EXPECT_EQ(answers.asked[1].text, "Speichern unter");
        EXPECT_EQ(answers.asked[1].filter, "Alle Dateien (*.*)|*.*||");
        EXPECT_EQ(answers.asked[2].text, "Öffnen");
        EXPECT_EQ(QLocale().language(), QLocale::German);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
    }
    EXPECT_EQ(QLocale(), before);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}
