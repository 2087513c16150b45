// The editor's commands on the whole screen as the program builds it: clicks reach the view's dispatcher
// through the controls, and the questions and dialogs are answered by script.

#include "app/ControlIds.h"
#include "app/InfoDialog.h"
#include "app/TextDialog.h"
#include "composition/LayerLabel.h"
#include "controls/DIBMixer.h"
#include "controls/HoldControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "controls/ThumbStrip.h"
#include "platform/FullPath.h"
#include "support/EditorFixture.h"
#include "support/Pictures.h"
#include "support/ScopedLanguage.h"
#include "support/ScriptedAnswers.h"

#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
class EditorCommands : public EditorFixture {
protected:
    void Click(int id) { Find<CButtonControl>(id)->Clicked(); }
    CLayerControl* Layer(int k) const { return Find<CLayerControl>(IDC_LAYER1 + 2 * (k - 1)); }
    CLayerStrip* Strip() const { return Find<CLayerStrip>(IDC_LAYER_STRIP); }
    CDIBMixer* Mixer() const { return Find<CDIBMixer>(IDC_MIXER); }
    bool IsOn(int id) const { return Find<CButtonControl>(id)->IsOn(); }
    void SetOn(int id, bool on) { Find<CButtonControl>(id)->SetOn(on); }
    // A 90 x 54 picture with its alpha companion beside it, put into the picked-picture cell.
    std::string PickFile(const TempDir& dir) {
        const std::string path = dir.Join("iDog.bmp");
        EXPECT_TRUE(SolidPicture(90, 54, RGB(200, 120, 40))->Save(path));
        EXPECT_TRUE(SolidAlpha(90, 54, 255)->Save(dir.Join("aDog.bmp")));
        EXPECT_TRUE(Find<CHoldControl>(IDC_PICKED)->SetImageFromFile(path.c_str()));
        return path;
    }
    // Runs the Info command and returns what its dialog said (empty: no dialog).
    std::string InfoText() {
        ScriptedAnswers answers;
        std::string said;
        answers.onDialog = [&](CDialog* d) {
            said = d->GetDlgItemText(CInfoDialog::IDC_INFO);
            d->OnCommand(IDOK);
        };
        Click(IDC_INFO);
        return said;
    }
};
} // namespace

TEST_F(EditorCommands, MoveAndTextSwitchEachOtherOffAndTextAlwaysOpensItsDialog) {
    const struct {
        bool moveOn, textOn;
        int clicked;
        bool moveAfter, textAfter;
        int dialogs;
    } cases[] = {
        {false, true, IDC_MOVE, true, false, 0},  // Move on switches Text off
        {true, false, IDC_MOVE, false, false, 0}, // Move off opens nothing
        {true, false, IDC_TEXT, false, true, 1},  // Text on switches Move off
        {false, true, IDC_TEXT, false, false, 1}, // Text off still opens the dialog
    };
    for (const auto& c : cases) {
        SetOn(IDC_MOVE, c.moveOn);
        SetOn(IDC_TEXT, c.textOn);
        ScriptedAnswers answers; // the Text dialog is cancelled
        Click(c.clicked);
        EXPECT_EQ(IsOn(IDC_MOVE), c.moveAfter) << c.clicked << c.moveOn << c.textOn;
        EXPECT_EQ(IsOn(IDC_TEXT), c.textAfter) << c.clicked << c.moveOn << c.textOn;
        EXPECT_EQ(answers.Count(ModalKind::Dialog), c.dialogs) << c.clicked << c.moveOn << c.textOn;
    }
}

TEST_F(EditorCommands, CancelEmptiesTheRememberedTextWhileFontColourAndCentringStay) {
    ScriptedAnswers answers;
    const COLORREF green = RGB(0, 160, 0);
    std::vector<std::function<void(CDialog*)>> uses = {
        [&](CDialog* d) {
            EXPECT_EQ(d->GetDlgItemText(CTextDialog::IDC_PROMPT),
                      *view->GetMessageTable().FindMessage(MSG_TEXT_PROMPT_NEW));
            d->SetDlgItemText(CTextDialog::IDC_TEXT, "Hello");
            ModalAnswer font;
            font.result = IDOK;
            std::strcpy(font.font.lfFaceName, "DejaVu Sans");
            font.font.lfHeight = -60;
            answers.answers.push_back(font);
            d->OnCommand(CTextDialog::IDC_FONT);
            answers.Then(IDOK).answers.back().colour = green;
            d->OnCommand(CTextDialog::IDC_COLOUR);
            d->CheckDlgButton(CTextDialog::IDC_CENTER, BST_CHECKED);
            d->OnCommand(CTextDialog::IDC_CENTER);
            d->OnCommand(IDOK);
        },
        [&](CDialog* d) { // on the text layer: its own text, to change
            EXPECT_EQ(d->GetDlgItemText(CTextDialog::IDC_PROMPT),
                      *view->GetMessageTable().FindMessage(MSG_REPLACE_PROMPT));
            EXPECT_EQ(d->GetDlgItemText(CTextDialog::IDC_TEXT), "Hello");
            d->OnCommand(IDCANCEL);
        },
        [&](CDialog* d) {
            EXPECT_EQ(d->GetDlgItemText(CTextDialog::IDC_TEXT), "");
            EXPECT_EQ(d->IsDlgButtonChecked(CTextDialog::IDC_CENTER), UINT(BST_CHECKED));
            answers.Then(IDOK).answers.back().colour = green;
            d->OnCommand(CTextDialog::IDC_COLOUR);
            EXPECT_EQ(answers.Last(ModalKind::Colour)->colour, green) << "the colour dialog starts from it";
            d->SetDlgItemText(CTextDialog::IDC_TEXT, "Again");
            d->OnCommand(IDOK);
        },
    };
    std::vector<int> heights;
    for (std::size_t i = 0; i < uses.size(); ++i) {
        answers.onDialog = uses[i];
        // The last goes on an empty layer, which starts from what the dialog showed last.
        if (i == 2)
            Strip()->Select(Layer(9));
        Click(IDC_TEXT);
        const CDIB* image = Strip()->GetSelected()->GetImage();
        heights.push_back(image ? image->GetHeight() : 0);
    }
    EXPECT_EQ(answers.Count(ModalKind::Dialog), 3);
    // The cancelled use leaves the text layer of the first; the 60-pixel font still writes the last.
    EXPECT_GE(heights[0], 60);
    EXPECT_EQ(heights[1], heights[0]);
    EXPECT_GE(heights[2], 60);
}

// Text on the front-most picture, with no layer free in front of it, says so and opens nothing.
TEST_F(EditorCommands, TextOnAPictureWithNoLayerFreeInFrontSaysSo) {
    TempDir dir;
    PickFile(dir);
    Strip()->Select(Layer(1));
    Click(IDC_PICKED);
    ScriptedAnswers answers;
    Click(IDC_TEXT);
    EXPECT_EQ(answers.Count(ModalKind::Dialog), 0);
    ASSERT_EQ(answers.Count(ModalKind::MessageBox), 1);
    EXPECT_EQ(answers.Last(ModalKind::MessageBox)->text,
              *view->GetMessageTable().FindMessage(MSG_NO_FREE_LAYER));
}

TEST_F(EditorCommands, PickedPicturesFillTheLayersFromTheLastTowardsTheFirst) {
    {
        ScriptedAnswers answers;
        Click(IDC_PICKED); // the picked-picture cell is empty: nothing happens
        EXPECT_TRUE(answers.asked.empty());
        EXPECT_EQ(Layer(10)->GetImage(), nullptr);
        EXPECT_EQ(Strip()->GetSelected(), Layer(10));
    }
    Click(IDC_CHARACTERS);
    std::vector<std::string> names;
    for (int k = 0; k < 3; ++k) {
        Click(IDC_THUMB_CELL1 + k);
        const CDIB* picked = Find<CHoldControl>(IDC_PICKED)->GetImage();
        ASSERT_NE(picked, nullptr);
        EXPECT_EQ(picked, Find<CHoldControl>(IDC_THUMB_CELL1 + k)->GetImage());
        EXPECT_EQ(picked->GetName().rfind(MakeFullPath("res/chars/"), 0), 0u) << picked->GetName();
        names.push_back(picked->GetName());
        Click(IDC_PICKED);
    }
    for (int k = 0; k < 3; ++k) {
        const CLayerControl* layer = Layer(10 - k);
        ASSERT_NE(layer->GetImage(), nullptr) << k;
        EXPECT_EQ(layer->GetImage()->GetName(), names[k]);
        EXPECT_EQ(layer->GetLabel(), PictureLabel(names[k], false));
        EXPECT_NE(Mixer()->FindDibSlot(layer->GetContentKey()), nullptr) << "the picture shows it";
    }
    EXPECT_EQ(Layer(7)->GetImage(), nullptr);
    EXPECT_EQ(Strip()->GetSelected(), Layer(7));
    EXPECT_EQ(Mixer()->GetSlots().size(), 3u);

    // Replacing a layer whose previous one is filled keeps the selection where it is.
    Strip()->Select(Layer(9));
    const std::uint32_t key = Layer(9)->GetContentKey();
    ScriptedAnswers answers;
    answers.Then(IDOK);
    Click(IDC_PICKED);
    ASSERT_EQ(answers.Count(ModalKind::MessageBox), 1);
    EXPECT_EQ(answers.asked[0].text, *view->GetMessageTable().FindMessage(MSG_REPLACE_LAYER));
    EXPECT_EQ(answers.asked[0].style, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(Layer(9)->GetImage()->GetName(), names[2]);
    EXPECT_NE(Layer(9)->GetContentKey(), key);
    EXPECT_EQ(Strip()->GetSelected(), Layer(9));

    // New asks about the changes; Don't Save empties every layer and the picture.
    Click(IDC_THUMB_CELL1); // the new picture leaves the picked picture alone
    answers.Then(IDNO);
    view->OnControlEvent(int(ID_NEW_PICTURE), 0);
    for (int k = 1; k <= LAYER_COUNT; ++k) {
        EXPECT_EQ(Layer(k)->GetImage(), nullptr) << k;
        EXPECT_EQ(Layer(k)->GetContentKey(), 0u) << k;
    }
    EXPECT_TRUE(Mixer()->GetSlots().empty());
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[1].text, "Save changes to Untitled?");
    EXPECT_FALSE(app.Doc()->IsModified());
    EXPECT_NE(Find<CHoldControl>(IDC_PICKED)->GetImage(), nullptr);

    // Undo brings the layers back, to be saved; redo goes back to the new picture, with nothing to save.
    Click(IDC_UNDO);
    EXPECT_EQ(Mixer()->GetSlots().size(), 3u);
    EXPECT_TRUE(app.Doc()->IsModified());
    Click(IDC_REDO);
    EXPECT_TRUE(Mixer()->GetSlots().empty());
    EXPECT_FALSE(app.Doc()->IsModified());
}

TEST_F(EditorCommands, ReplaceAnsweredCancelKeepsTheLayerAndItsKeyAndClearsTheSelection) {
    TempDir dir;
    const std::string path = PickFile(dir);
    Click(IDC_PICKED);
    Strip()->Select(Layer(10));
    CDIB* image = Layer(10)->GetImage();
    const std::uint32_t key = Layer(10)->GetContentKey();
    SetOn(IDC_MOVE, false);
    Click(IDC_MOVE);
    ASSERT_TRUE(Mixer()->HasSelectedSlot());

    Click(IDC_CHARACTERS);
    Click(IDC_THUMB_CELL1);
    ScriptedAnswers answers; // Cancel
    Click(IDC_PICKED);
    EXPECT_EQ(answers.Count(ModalKind::MessageBox), 1);
    EXPECT_EQ(Layer(10)->GetImage(), image);
    EXPECT_EQ(Layer(10)->GetContentKey(), key);
    EXPECT_EQ(Layer(10)->GetLabel(), "Dog");
    EXPECT_EQ(image->GetName(), path);
    EXPECT_FALSE(Mixer()->HasSelectedSlot());
    EXPECT_FALSE(IsOn(IDC_MOVE));
}

TEST_F(EditorCommands, InfoDescribesTheSelectedLayerInItsFormat) {
    const ScopedLanguage english(LANG_ENGLISH); // the words checked
    EXPECT_EQ(InfoText(), "") << "an empty layer: no dialog";
    TempDir dir;
    const std::string path = PickFile(dir);
    Click(IDC_PICKED);
    Strip()->Select(Layer(10));
    EXPECT_EQ(InfoText(), "\n\nImage: <" + path + ">\n90x54, 24 bits\nX: 0, Y: 0, W: 50, H: 30\n\nAlpha: <" +
                              dir.Join("aDog.bmp") + ">");

    ASSERT_TRUE(Mixer()->SetTextLayer("Hi", nullptr, RGB(0, 0, 0), 0)); // onto the dog, on layer 9
    const CDIB* text = Layer(9)->GetImage();
    ASSERT_NE(text, nullptr);
    const std::string size = std::to_string(text->GetWidth()) + "x" + std::to_string(text->GetHeight());
    const std::string said = InfoText();
    EXPECT_EQ(said.rfind("\n\nImage: <text>\n" + size + ", 24 bits\nX: ", 0), 0u) << said;
    EXPECT_EQ(said.substr(said.size() - 15), "\n\nAlpha: <none>") << said;
}

namespace {
// Quits before the loop starts, the picture changed or not; a program still running after it is ended
// with 7.
struct QuitApp : ShellApp {
    explicit QuitApp(bool changed) : changed(changed) {}
    BOOL InitInstance() override {
        if (!Start())
            return FALSE;
        Doc()->SetModifiedFlag(changed);
        View()->OnControlEvent(IDC_QUIT, 0);
        QTimer::singleShot(0, Window(), [] { PostQuitMessage(7); });
        return TRUE;
    }
    bool changed;
};
} // namespace

TEST(QuitCommand, AsksToSaveOnlyAChangedPictureAndCancelKeepsItRunning) {
    TempDir dir; // no data folder: the screen stops at its background, the texts are there
    ScopedCwd cwd(dir.path);
    const struct {
        bool changed;
        int answer;
        int questions, code;
    } cases[] = {
        {false, IDCANCEL, 0, 0}, // nothing to lose: no question at all
        {true, IDNO, 1, 0},
        {true, IDCANCEL, 1, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.changed << " " << c.answer);
        ScriptedAnswers answers;
        answers.Then(c.answer);
        QuitApp app(c.changed);
        char name[] = "quimble";
        char* argv[] = {name, nullptr};
        testing::internal::CaptureStderr();
        EXPECT_EQ(app.Run(1, argv), c.code);
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(int(answers.asked.size()), c.questions);
        if (c.questions) {
            EXPECT_EQ(answers.asked[0].text, "Save changes to Untitled?");
            EXPECT_EQ(answers.asked[0].style, MB_SAVEDISCARDCANCEL | MB_ICONQUESTION);
        }
    }
}
