#include "app/TextDialog.h"
#include "platform/ColorDialog.h"
#include "platform/FontDialog.h"
#include "support/ScriptedAnswers.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>

namespace {
// What the user does inside the dialog.
void Type(CDialog* dialog, const std::string& text) {
    dialog->SetDlgItemText(CTextDialog::IDC_TEXT, text);
}
void Click(CDialog* dialog, UINT id) {
    auto* button = qobject_cast<QAbstractButton*>(dialog->GetDlgItem(id)->GetQWidget());
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

ModalAnswer FontAnswer(int result, const char* face) {
    ModalAnswer a;
    a.result = result;
    std::strncpy(a.font.lfFaceName, face, LF_FACESIZE - 1);
    a.font.lfHeight = -20;
    return a;
}
ModalAnswer ColourAnswer(int result, COLORREF colour) {
    ModalAnswer a;
    a.result = result;
    a.colour = colour;
    return a;
}

struct TextDialogTest : ::testing::Test {
    TextDialogTest() { std::strcpy(font.lfFaceName, "Before"); }

    int Run(std::function<void(CDialog*)> script) {
        answers.onDialog = std::move(script);
        CTextDialog dialog;
        return dialog.Run(&prompt, &text, &centred, &colour, font);
    }

    ScriptedAnswers answers;
    std::string prompt = "Click OK to replace the layer's contents";
    std::string text = "old text";
    int centred = 0;
    COLORREF colour = 0x123456;
    LOGFONT font;
};
} // namespace

TEST_F(TextDialogTest, OpensWithTheSettingsAndHandsBackWhatWasChangedOnOK) {
    centred = 1;
    EXPECT_EQ(Run([&](CDialog* d) {
                  EXPECT_EQ(d->GetDlgItemText(CTextDialog::IDC_TEXT), "old text");
                  EXPECT_EQ(d->GetDlgItemText(CTextDialog::IDC_PROMPT), prompt);
                  EXPECT_EQ(d->IsDlgButtonChecked(CTextDialog::IDC_CENTER), UINT(BST_CHECKED));
                  Type(d, "two\nlines");
                  Click(d, CTextDialog::IDC_CENTER);
                  answers.answers.push_back(FontAnswer(IDOK, "Chosen"));
                  Click(d, CTextDialog::IDC_FONT);
                  answers.answers.push_back(ColourAnswer(IDOK, 0x00FF00));
                  Click(d, CTextDialog::IDC_COLOUR);
                  Click(d, IDOK);
              }),
              1);
    EXPECT_EQ(text, "two\nlines");
    EXPECT_EQ(centred, 0);
    EXPECT_EQ(colour, 0x00FF00u);
    EXPECT_STREQ(font.lfFaceName, "Chosen");
    EXPECT_EQ(font.lfHeight, -20);

    ASSERT_EQ(answers.asked.size(), 3u);
    EXPECT_EQ(answers.asked[0].kind, ModalKind::Dialog);
    // Real styles of screen fonts only; the font dialog starts afresh, the colour dialog from the colour.
    EXPECT_EQ(answers.asked[1].kind, ModalKind::Font);
    EXPECT_EQ(answers.asked[1].style, 0x1001u);
    EXPECT_EQ(answers.asked[2].kind, ModalKind::Colour);
    EXPECT_EQ(answers.asked[2].style, UINT(CC_RGBINIT | CC_FULLOPEN));
    EXPECT_EQ(answers.asked[2].colour, 0x123456u);
}

TEST_F(TextDialogTest, CancelEmptiesTheTextButKeepsFontColourAndCentringAsTheyWere) {
    EXPECT_EQ(Run([&](CDialog* d) {
                  Type(d, "typed");
                  Click(d, CTextDialog::IDC_CENTER);
                  answers.answers.push_back(FontAnswer(IDOK, "Chosen"));
                  Click(d, CTextDialog::IDC_FONT);
                  answers.answers.push_back(ColourAnswer(IDOK, 0x0000FF));
                  Click(d, CTextDialog::IDC_COLOUR);
                  Click(d, IDCANCEL);
              }),
              1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(centred, 1);
    EXPECT_EQ(colour, 0x0000FFu);
    EXPECT_STREQ(font.lfFaceName, "Chosen");
}

TEST_F(TextDialogTest, CancelledFontDialogKeepsTheFontCancelledColourDialogResetsTheColour) {
    Run([&](CDialog* d) {
        answers.answers.push_back(FontAnswer(IDCANCEL, "Ignored"));
        Click(d, CTextDialog::IDC_FONT);
        answers.answers.push_back(ColourAnswer(IDCANCEL, 0x00FF00));
        Click(d, CTextDialog::IDC_COLOUR);
        Click(d, IDOK);
    });
    EXPECT_STREQ(font.lfFaceName, "Before");
    EXPECT_EQ(colour, 0x1E0032u);
    EXPECT_EQ(text, "old text");
}

TEST_F(TextDialogTest, MissingPromptTextFlagOrColourShowsNothing) {
    for (int missing = 0; missing < 4; ++missing) {
        CTextDialog dialog;
        EXPECT_EQ(dialog.Run(missing == 0 ? nullptr : &prompt, missing == 1 ? nullptr : &text,
                             missing == 2 ? nullptr : &centred, missing == 3 ? nullptr : &colour, font),
                  0)
            << missing;
    }
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(text, "old text");
}

TEST(TextDialog, RealDialogStartsInTheEditAndEscCancels) {
    SetModalResponder({});
    std::string prompt = "prompt", text = "ab";
    int centred = 0;
    COLORREF colour = 0x112233;
    LOGFONT font;
    CTextDialog dialog;
    QTimer::singleShot(0, [&] {
        auto* edit = qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(CTextDialog::IDC_TEXT)->GetQWidget());
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(dialog.GetQWidget()->focusWidget(), edit);
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "c");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "d");
        EXPECT_TRUE(dialog.GetQWidget()->isVisible()) << "Enter starts a new line";
        QTest::mouseClick(dialog.GetDlgItem(CTextDialog::IDC_CENTER)->GetQWidget(), Qt::LeftButton);
        EXPECT_EQ(dialog.GetDlgItemText(CTextDialog::IDC_TEXT), "abc\nd");
        QTest::keyClick(edit, Qt::Key_Escape);
        if (dialog.GetQWidget()->isVisible()) {
            ADD_FAILURE() << "Esc did not close the dialog";
            dialog.EndDialog(IDCANCEL);
        }
    });
    EXPECT_EQ(dialog.Run(&prompt, &text, &centred, &colour, font), 1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(centred, 1);
    EXPECT_EQ(colour, 0x112233u);
}
