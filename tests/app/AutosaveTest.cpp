// The autosave's rules: its file and folder, the lock that tells a running program's from one a crash
// left, and what the editor does with both.

#include "app/Autosave.h"
#include "PictureScreen.h"
#include "app/LeftAutosave.h"
#include "platform/StateFolder.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedAnswers.h"
#include "support/ShownTitle.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <fstream>

namespace {
bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// A writer that writes text and counts its calls.
struct CountingWriter {
    int calls = 0;
    CAutosave::Writer Get() {
        return [this](const char* path) {
            ++calls;
            return bool(std::ofstream(path) << "picture");
        };
    }
};

std::vector<std::string> Names(const std::vector<std::unique_ptr<CLeftAutosave>>& left) {
    std::vector<std::string> names;
    for (const auto& autosave : left)
        names.push_back(std::filesystem::path(autosave->GetPath()).filename().string());
    return names;
}
} // namespace

TEST(Autosave, TheStateFolderFollowsXdgAndTheFileIsNamedForTheProcess) {
    const struct {
        const char* state;
        std::string folder;
    } cases[] = {
        {"/var/tmp/st", "/var/tmp/st"},
        {"relative/st", "/home/u/.local/state"}, // not absolute: to be ignored
        {"", "/home/u/.local/state"},
        {nullptr, "/home/u/.local/state"},
    };
    ScopedEnv home("HOME", "/home/u");
    for (const auto& c : cases) {
        ScopedEnv state("XDG_STATE_HOME", c.state);
        EXPECT_EQ(StateFolder(), c.folder) << (c.state ? c.state : "unset");
        EXPECT_EQ(CAutosave::PathOf(42), c.folder + "/quimble/autosave-42.qmf");
    }
    const struct {
        const char* name;
        bool autosave;
    } names[] = {
        {"autosave-1.qmf", true},    {"autosave-4194304.qmf", true},  {"autosave-.qmf", false},
        {"autosave-12a.qmf", false}, {"autosave-12.qmf.lock", false}, {"autosave-12.QMF", false},
        {"xautosave-12.qmf", false}, {"picture.qmf", false},
    };
    for (const auto& n : names)
        EXPECT_EQ(CAutosave::IsAutosaveName(n.name), n.autosave) << n.name;
}

TEST(Autosave, ScheduledItWaitsTheFolderComesWithTheFirstWriteAndDiscardRemovesFileAndLock) {
    TempDir dir;
    const std::string path = dir.Join("state/quimble/autosave-7.qmf");
    CountingWriter writer;
    {
        CAutosave autosave(writer.Get(), path);
        autosave.Schedule();
        autosave.Schedule();
        EXPECT_TRUE(autosave.IsScheduled());
        EXPECT_EQ(writer.calls, 0);
        EXPECT_TRUE(dir.List().empty()) << "nothing is made before the first write";

        EXPECT_TRUE(autosave.WriteNow());
        EXPECT_FALSE(autosave.IsScheduled());
        EXPECT_TRUE(autosave.IsWritten());
        EXPECT_EQ(dir.List("state/quimble"),
                  (std::vector<std::string>{"autosave-7.qmf", "autosave-7.qmf.lock"}));

        autosave.Discard();
        EXPECT_FALSE(autosave.IsWritten());
        EXPECT_TRUE(dir.List("state/quimble").empty());

        EXPECT_TRUE(autosave.WriteNow());
    }
    EXPECT_TRUE(dir.List("state/quimble").empty()) << "a normal end removes it";
    EXPECT_EQ(writer.calls, 2);
}

TEST(Autosave, SteadyChangesDoNotPutTheWriteOff) {
    TempDir dir;
    CountingWriter writer;
    CAutosave autosave(writer.Get(), dir.Join("autosave-7.qmf"), 200);
    autosave.Schedule();
    // Changes every 0.15 s, closer than the delay: the first one is written all the same.
    QElapsedTimer clock;
    clock.start();
    while (writer.calls == 0 && clock.elapsed() < 2000) {
        QTest::qWait(150);
        autosave.Schedule();
    }
    EXPECT_EQ(writer.calls, 1);
    EXPECT_TRUE(autosave.IsScheduled()) << "the change after the write waits for the next one";

    // Not while the mouse button is held, as in a drag: then once it is let go.
    QWidget window;
    window.resize(50, 50);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(window.windowHandle(), Qt::LeftButton);
    QTest::qWait(500);
    EXPECT_EQ(writer.calls, 1);
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return writer.calls == 2; }, 2000));
}

TEST(Autosave, OneThatCannotBeWrittenSaysOneLineAndAsksNothing) {
    TempDir dir;
    dir.Write("state", "a file where the folder would be");
    CountingWriter writer;
    CAutosave autosave(writer.Get(), dir.Join("state/quimble/autosave-7.qmf"));
    ScriptedAnswers answers;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(autosave.WriteNow());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(writer.calls, 0);
}

TEST(Autosave, OnlyOnesWhoseLockNobodyHoldsAreLeftAndFindingOneHoldsIt) {
    TempDir dir;
    CountingWriter writer;
    CAutosave running(writer.Get(), dir.Join("autosave-1.qmf"));
    ASSERT_TRUE(running.WriteNow());
    dir.Write("autosave-2.qmf", "no lock at all");
    dir.Write("autosave-3.qmf", "its program is gone");
    dir.Write("autosave-3.qmf.lock", "999999999\nquimble\n\n");
    dir.Write("picture.qmf", "no autosave");

    std::vector<std::unique_ptr<CLeftAutosave>> left = CLeftAutosave::Find(dir.path);
    EXPECT_EQ(Names(left), (std::vector<std::string>{"autosave-2.qmf", "autosave-3.qmf"}));
    EXPECT_TRUE(Names(CLeftAutosave::Find(dir.path)).empty()) << "held while the user decides";

    left[0]->Remove();
    EXPECT_FALSE(Exists(dir.Join("autosave-2.qmf")));
    left.clear();
    EXPECT_EQ(Names(CLeftAutosave::Find(dir.path)), std::vector<std::string>{"autosave-3.qmf"})
        << "one not removed stays for the next start";
    EXPECT_TRUE(Names(CLeftAutosave::Find(dir.Join("not-there"))).empty());
}

namespace {
class EditorAutosave : public PictureScreen {
protected:
    CAutosave& Autosave() { return app.Doc()->GetAutosave(); }
    std::string Title() const { return ShownTitle(app.Window()); }
};
} // namespace

TEST_F(EditorAutosave, AChangeSchedulesItAndSavingOrNewRemovesIt) {
    EXPECT_FALSE(Autosave().IsScheduled());
    PutTwoLayers();
    EXPECT_TRUE(Autosave().IsScheduled());
    ASSERT_TRUE(Autosave().WriteNow());
    EXPECT_EQ(Autosave().GetPath(), CAutosave::PathOf(GetCurrentProcessId()));
    ASSERT_TRUE(Exists(Autosave().GetPath()));

    ScriptedAnswers answers;
    answers.Then(IDOK, dir.Join("saved.qmf"));
    app.m_pMainWnd->RouteCommand(ID_FILE_SAVE);
    EXPECT_FALSE(Exists(Autosave().GetPath()));
    EXPECT_FALSE(Autosave().IsScheduled());

    strip->ClearAllLayers();
    strip->Refresh(0, TRUE);
    ASSERT_TRUE(Autosave().WriteNow());
    answers.Then(IDNO);
    view->OnControlEvent(int(ID_NEW_PICTURE), 0);
    EXPECT_FALSE(Exists(Autosave().GetPath()));
    EXPECT_FALSE(Autosave().IsScheduled());
}

TEST_F(EditorAutosave, ALeftAutosaveIsRestoredExactlyUntitledAndChangedOrDiscarded) {
    const std::string left = CAutosave::PathOf(999999998);
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        PutTwoLayers();
        ASSERT_TRUE(Autosave().WriteNow());
        std::filesystem::copy_file(Autosave().GetPath(), left,
                                   std::filesystem::copy_options::overwrite_existing);
        const std::string picture = Canvas();
        app.Doc()->OnNewDocument();
        ASSERT_NE(Canvas(), picture);

        ScriptedAnswers answers;
        answers.Then(answer);
        app.OfferLeftAutosaves();
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0].text, ProgramTextOf(ProgramText::restoreAutosave, GetLanguage()));
        EXPECT_EQ(answers.asked[0].style, MB_RESTOREDISCARD | MB_ICONQUESTION);
        EXPECT_FALSE(Exists(left)) << "restored or discarded, it is gone";
        if (answer == IDYES) {
            EXPECT_EQ(Canvas(), picture);
            EXPECT_EQ(Title(), "Untitled* - Quimble");
            EXPECT_TRUE(Exists(Autosave().GetPath())) << "kept at once in this run's own";
        } else {
            EXPECT_NE(Canvas(), picture);
            EXPECT_FALSE(app.Doc()->IsModified());
        }
        app.Doc()->OnNewDocument();
    }
}
