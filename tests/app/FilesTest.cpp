// The editor's Load and Save, from its buttons, the menu and the framework's Save.

#include "PictureScreen.h"
#include "app/QuimbleResource.h"
#include "controls/ButtonControl.h"
#include "platform/RecentFileList.h"
#include "support/ScopedLanguage.h"
#include "support/ScriptedAnswers.h"
#include "support/ShownTitle.h"

#include <QMainWindow>
#include <algorithm>
#include <filesystem>
#include <functional>

namespace {
const char saveFilter[] =
    "Quimble file (*.qmf)|*.qmf|Bitmap file (*.bmp)|*.bmp|PNG file (*.png)|*.png|All Files (*.*)|*.*||";
const char loadFilter[] = "Quimble file (*.qmf)|*.qmf|All Files (*.*)|*.*||";

class FileCommands : public PictureScreen {
protected:
    // What the user was told, message boxes only.
    static std::vector<std::string> Told(const ScriptedAnswers& answers) {
        std::vector<std::string> told;
        for (const ModalQuestion& q : answers.asked)
            if (q.kind == ModalKind::MessageBox)
                told.push_back(q.text);
        return told;
    }
    std::vector<std::string> Recent() const { return app.GetRecentFileList()->Entries(); }
    std::string Title() const { return ShownTitle(app.Window()); }
    // Saves with the Save button, choosing path in the dialog.
    BOOL SaveAs(const std::string& path) {
        ScriptedAnswers answers;
        answers.Then(IDOK, path);
        const BOOL saved = view->SavePicture(nullptr);
        told = Told(answers);
        return saved;
    }
    BOOL Load(const std::string& path) {
        ScriptedAnswers answers;
        answers.Then(IDOK, path);
        const BOOL loaded = view->LoadPicture();
        told = Told(answers);
        return loaded;
    }

    std::vector<std::string> told;
};
} // namespace

TEST_F(FileCommands, SaveWritesTheFormatItsExactExtensionAsksAndOnFailureSaysSoOnce) {
    const ScopedLanguage english(LANG_ENGLISH); // the words checked
    PutTwoLayers();
    EXPECT_EQ(Message(MSG_SAVE_ERROR, "picture"), "Het bestand picture kon niet worden opgeslagen.");
    const struct {
        const char* name;
        bool written;
    } cases[] = {
        {"picture", false},     // no extension is added to a typed name
        {"picture.BMP", false}, // extensions are compared exactly
        {"picture.PNG", false},      {"picture.qmf.txt", false},
        {"gone/picture.bmp", false}, // a folder that is not there
        {"gone/picture.png", false}, {"gone/picture.qmf", false},
        {"picture.bmp", true},       {"picture.png", true},
        {"picture.qmf", true},
    };
    for (const auto& c : cases) {
        const std::string path = dir.Join(c.name);
        EXPECT_EQ(SaveAs(path), c.written) << c.name;
        EXPECT_EQ(std::filesystem::exists(path), c.written) << c.name;
        const std::string name = std::filesystem::path(c.name).filename().string();
        EXPECT_EQ(told, c.written ? std::vector<std::string>{}
                                  : std::vector<std::string>{Message(MSG_SAVE_ERROR, name)})
            << c.name;
        // Only the layered file is the document: a flat picture is an export, which changes nothing.
        const bool layered = c.written && std::string(c.name) == "picture.qmf";
        EXPECT_EQ(app.Doc()->GetPathName(), layered ? path : "") << c.name;
        EXPECT_EQ(app.Doc()->IsModified(), !layered) << c.name;
        EXPECT_EQ(Title(), layered ? "picture.qmf - Quimble" : "Untitled* - Quimble") << c.name;
    }
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"picture.bmp", "picture.png", "picture.qmf"}))
        << "nothing left beside";
    EXPECT_EQ(Recent(), std::vector<std::string>{dir.Join("picture.qmf")});

    // The flat bitmap has the picture area's proportions at the resolution of the larger layer picture
    // (300 pixels over 166 units), whatever the window's size.
    CDIB flat;
    ASSERT_TRUE(flat.Load(dir.Join("picture.bmp")));
    EXPECT_EQ(flat.GetWidth(), 1028);
    EXPECT_EQ(flat.GetHeight(), 761);
    EXPECT_EQ(flat.BitCount(), 24);
    EXPECT_EQ(PixelAt(flat, 370, 171), RGB(20, 40, 210)) << "the front layer";
    EXPECT_EQ(PixelAt(flat, 1027, 760), MIXER_BACKGROUND);
    EXPECT_EQ(dir.Read("picture.qmf").substr(0, 8), std::string("QMF\0\2\0\0\0", 8)) << "two layers";

    // The dialog offers the editor's filters and the name chosen last.
    ScriptedAnswers answers;
    EXPECT_FALSE(view->SavePicture(nullptr));
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].kind, ModalKind::SaveFile);
    EXPECT_EQ(answers.asked[0].filter, saveFilter);
    EXPECT_EQ(answers.asked[0].fileName, dir.Join("picture.qmf"));
}

TEST_F(FileCommands, APngHoldsTheSamePixelsAsTheBitmapOfTheSamePicture) {
    const struct {
        const char* what;
        std::function<void()> put;
    } pictures[] = {
        {"two layers, one with soft edges", [this] { PutTwoLayers(); }},
        // Rows of an odd width are padded in a bitmap and not in a PNG.
        {"odd width, mirrored",
         [this] {
             auto picture = SolidPicture(173, 91, RGB(10, 120, 240));
             for (int x = 0; x < 173; ++x)
                 SetPixelAt(*picture, x, x % 91, RGB(250, 200, 0));
             picture->SetMirrorHorizontal(1);
             Put(0, std::move(picture), 5, 7);
         }},
        {"no layer at all", [] {}},
    };
    for (const auto& p : pictures) {
        strip->ClearAllLayers();
        strip->Refresh(0, TRUE);
        p.put();
        ASSERT_TRUE(SaveAs(dir.Join("flat.bmp"))) << p.what;
        ASSERT_TRUE(SaveAs(dir.Join("flat.png"))) << p.what;
        EXPECT_TRUE(PngMatchesBmp(dir.Join("flat.png"), dir.Join("flat.bmp"))) << p.what;
    }
}

TEST_F(FileCommands, ALayeredFileLoadsBackIntoTheSamePictureAndNamesTheDocument) {
    const ScopedLanguage english(LANG_ENGLISH); // the words checked
    PutTwoLayers();
    const std::string path = dir.Join("two layers.qmf");
    ASSERT_TRUE(SaveAs(path));
    const std::string saved = Canvas();
    strip->ClearAllLayers();
    strip->Refresh(0, TRUE);
    ASSERT_NE(Canvas(), saved);

    ScriptedAnswers answers;
    answers.Then(IDNO).Then(IDOK, path);
    EXPECT_TRUE(view->OnControlEvent(IDC_LOAD, 0));
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[0].text, "Save changes to two layers.qmf?") << "the cleared picture";
    EXPECT_EQ(answers.asked[1].kind, ModalKind::OpenFile);
    EXPECT_EQ(answers.asked[1].filter, loadFilter);
    EXPECT_EQ(answers.asked[1].style & 0x1800u, 0x1800u) << "the file must exist";
    EXPECT_FALSE(app.Doc()->IsModified());
    EXPECT_EQ(Canvas(), saved);
    EXPECT_EQ(mixer->GetSlots().size(), 2u);
    EXPECT_EQ(app.Doc()->GetPathName(), path);
    EXPECT_EQ(Title(), "two layers.qmf - Quimble");
    EXPECT_EQ(Recent().front(), path);
}

TEST_F(FileCommands, AFileThatIsNoLayeredPictureOrDamagedSaysTheReadErrorAndChangesNothing) {
    PutTwoLayers();
    ASSERT_TRUE(SaveAs(dir.Join("good.qmf")));
    const std::string good = dir.Read("good.qmf");
    const std::string canvas = Canvas();
    const std::vector<std::string> recent = Recent();
    const std::string readError = Message(MSG_READ_ERROR, "bad.qmf");
    auto patched = [&good](std::size_t at, const std::string& bytes) {
        std::string file = good;
        std::copy(bytes.begin(), bytes.end(), file.begin() + std::ptrdiff_t(at));
        return file;
    };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a bitmap", patched(0, std::string("BM\6\0", 4))},
        {"text", "Dear diary"},
        {"empty", ""},
        {"cut short", good.substr(0, good.size() - 10)},
        {"counting more layers than it holds", patched(4, "\x03")},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Load(dir.Write("bad.qmf", c.bytes))) << c.what;
        EXPECT_EQ(told, std::vector<std::string>{readError}) << c.what;
        EXPECT_EQ(Canvas(), canvas) << c.what;
        EXPECT_EQ(app.Doc()->GetPathName(), dir.Join("good.qmf")) << c.what;
        EXPECT_EQ(Title(), "good.qmf - Quimble") << c.what;
        EXPECT_EQ(Recent(), recent) << c.what;
    }
}

TEST_F(FileCommands, CancellingTheOpenDialogAfterALoadLoadsNothing) {
    PutTwoLayers();
    const std::string path = dir.Join("p.qmf");
    ASSERT_TRUE(SaveAs(path));
    ASSERT_TRUE(Load(path));
    strip->ClearAllLayers();
    strip->Refresh(0, TRUE);
    const std::string cleared = Canvas();

    ScriptedAnswers answers;
    answers.Then(IDNO).Then(IDCANCEL);
    EXPECT_FALSE(view->LoadPicture());
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[1].fileName, path) << "the name loaded last is offered";
    EXPECT_EQ(Canvas(), cleared);
    EXPECT_TRUE(mixer->GetSlots().empty());
}

TEST_F(FileCommands, CtrlSAsksForANameOnceThenSavesThereAndClosingAsksAfterwards) {
    PutTwoLayers();
    ScriptedAnswers answers;
    const std::string path = dir.Join("beach.qmf");
    answers.Then(IDOK, path);
    app.m_pMainWnd->RouteCommand(ID_FILE_SAVE);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].text, "Save As");
    const std::string first = dir.Read("beach.qmf");
    EXPECT_EQ(first.substr(0, 4), std::string("QMF\0", 4));
    EXPECT_EQ(app.Doc()->GetPathName(), path);

    strip->ClearAllLayers();
    strip->Refresh(0, TRUE);
    EXPECT_EQ(Title(), "beach.qmf* - Quimble");
    app.m_pMainWnd->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(answers.asked.size(), 1u) << "no second question";
    EXPECT_EQ(dir.Read("beach.qmf"), std::string("QMF\0\0\0\0\0", 8)) << "the empty picture, same place";
    EXPECT_EQ(Title(), "beach.qmf - Quimble");

    // Saved, it closes without a question; changed again, it asks.
    PutTwoLayers();
    answers.Then(IDNO);
    app.m_pMainWnd->RouteCommand(ID_APP_EXIT);
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[1].text, "Save changes to beach.qmf?");
    EXPECT_FALSE(app.Window()->isVisible());
}

TEST_F(FileCommands, AFrameworkSaveThatCannotWriteNamesNothingAndSaysTheSaveError) {
    PutTwoLayers();
    ScriptedAnswers answers;
    // The framework's dialog adds no extension either.
    answers.Then(IDOK, dir.Join("beach"));
    app.m_pMainWnd->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(Told(answers), std::vector<std::string>{Message(MSG_SAVE_ERROR, "beach")});
    EXPECT_EQ(app.Doc()->GetPathName(), "");
    EXPECT_EQ(Title(), "Untitled* - Quimble");
    EXPECT_TRUE(dir.List().empty());
}

TEST_F(FileCommands, ALoadedFileIsAStepOfItsOwnAndOnlyItHasNothingToSave) {
    PutTwoLayers();
    const std::string path = dir.Join("two.qmf");
    ASSERT_TRUE(SaveAs(path));
    const std::string loaded = Canvas();
    ASSERT_TRUE(view->OnControlEvent(ID_NEW_PICTURE, 0));
    const std::string empty = Canvas();
    ASSERT_TRUE(Load(path));
    EXPECT_TRUE(Find<CButtonControl>(IDC_UNDO)->GetWindow()->IsWindowEnabled()) << "a step to go back from";
    const struct {
        int command;
        const std::string& shown;
        bool modified;
    } steps[] = {
        {IDC_UNDO, empty, true}, // the new picture before the load, which no file holds
        {IDC_REDO, loaded, false},
        {IDC_UNDO, empty, true},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(view->OnControlEvent(s.command, 0));
        EXPECT_EQ(Canvas(), s.shown) << s.command;
        EXPECT_EQ(bool(app.Doc()->IsModified()), s.modified) << s.command;
    }

    // A picture brought back from an autosave was never saved: no step of it is without changes.
    ScriptedAnswers answers;
    answers.Then(IDNO); // the changes of the new picture
    ASSERT_TRUE(app.Doc()->RestoreAutosave(path));
    EXPECT_EQ(Canvas(), loaded);
    EXPECT_TRUE(view->OnControlEvent(IDC_UNDO, 0));
    EXPECT_EQ(Canvas(), empty);
    EXPECT_TRUE(app.Doc()->IsModified());
}
