#include "app/InfoDialog.h"
#include "app/AppState.h"
#include "app/QuimbleResource.h"
#include "imaging/DIB.h"
#include "support/ScopedLanguage.h"
#include "support/ScriptedAnswers.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A 24-bit picture, with an 8-bit coverage companion when asked.
std::unique_ptr<CDIB> MakeImage(bool withAlpha) {
    auto image = std::make_unique<CDIB>();
    EXPECT_TRUE(image->Create(5, 3, 24));
    RECT corner{0, 0, 2, 2};
    image->Fill(RGB(200, 10, 30), &corner);
    if (withAlpha) {
        auto alpha = std::make_unique<CDIB>();
        EXPECT_TRUE(alpha->Create(5, 3, 8));
        alpha->Fill(RGB(0, 0, 0), &corner);
        image->SetAlpha(std::move(alpha));
    }
    return image;
}

bool SameBitmap(const CDIB& written, const std::string& path) {
    CDIB read;
    return read.Load(path) && read.GetSize() == written.GetSize() &&
           std::memcmp(read.GetBlock(), written.GetBlock(), written.GetSize()) == 0;
}

void ClickSave(CDialog* dialog) {
    qobject_cast<QAbstractButton*>(dialog->GetDlgItem(IDCANCEL)->GetQWidget())->click();
}

ModalAnswer Chosen(const std::string& path) {
    ModalAnswer a;
    a.result = path.empty() ? IDCANCEL : IDOK;
    a.path = path;
    return a;
}
} // namespace

TEST(InfoDialog, RunShowsTheTextAndNothingForAnEmptyText) {
    ScriptedAnswers answers;
    std::string shown;
    answers.onDialog = [&](CDialog* d) { shown = d->GetDlgItemText(CInfoDialog::IDC_INFO); };
    CInfoDialog dialog;
    EXPECT_EQ(dialog.Run("", nullptr), 0);
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(dialog.Run("\n\nImage: <text>", nullptr), 1);
    EXPECT_EQ(shown, "\n\nImage: <text>");
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].text, "Info");
}

TEST(InfoDialog, SaveWritesTheImageAndItsCompanionUnderPrefixedNames) {
    const ScopedLanguage english(LANG_ENGLISH); // the words checked
    struct Case {
        const char* chosen; // empty: the save dialog is cancelled
        bool withAlpha;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"dog.bmp", true, {"adog.bmp", "idog.bmp"}},
        {"iCat.bmp", true, {"aCat.bmp", "iCat.bmp"}},
        {"dog.bmp", false, {"idog.bmp"}},
        {"", true, {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::unique_ptr<CDIB> image = MakeImage(c.withAlpha);
        ScriptedAnswers answers;
        answers.answers.push_back(Chosen(*c.chosen ? dir.Join(c.chosen) : ""));
        answers.onDialog = [&](CDialog* d) {
            ClickSave(d);
            EXPECT_TRUE(d->GetSafeHwnd()) << "Save leaves the dialog open";
            d->OnCommand(IDOK);
        };
        CInfoDialog dialog;
        EXPECT_EQ(dialog.Run("info", image.get()), 1);
        EXPECT_EQ(dir.List(), c.written) << c.chosen;
        ASSERT_EQ(answers.asked.size(), 2u);
        const ModalQuestion& q = answers.asked[1];
        EXPECT_EQ(q.kind, ModalKind::SaveFile);
        EXPECT_EQ(q.filter, "Bitmap file (*.bmp)|*.bmp|All Files (*.*)|*.*||");
        EXPECT_EQ(q.style, 0x880004u) << "the typed name is not written, so nothing asks about it";
        EXPECT_EQ(q.fileName, "");
        if (c.written.size() == 2) {
            EXPECT_TRUE(SameBitmap(*image, dir.Join(c.written[1])));
            EXPECT_TRUE(SameBitmap(*image->GetAlpha(), dir.Join(c.written[0])));
        }
    }
}

TEST(InfoDialog, SaveAsksBeforeReplacingEachFileItWritesAndSaysWhenItCannot) {
    const auto replace = [](const char* name) {
        return ProgramTextOf(ProgramText::replaceFile, GetLanguage(), name);
    };
    struct Case {
        const char* chosen;
        std::vector<std::string> there; // files there before, holding "old"
        std::vector<int> answers;       // to the questions after the save dialog
        std::vector<std::string> asked;
        std::vector<std::string> replaced;
    };
    const Case cases[] = {
        {"dog.bmp", {"dog.bmp"}, {}, {}, {"adog.bmp", "idog.bmp"}},
        {"dog.bmp", {"idog.bmp"}, {IDYES}, {replace("idog.bmp")}, {"adog.bmp", "idog.bmp"}},
        {"dog.bmp", {"adog.bmp"}, {IDNO}, {replace("adog.bmp")}, {}},
        {"dog.bmp", {"idog.bmp", "adog.bmp"}, {IDYES, IDNO}, {replace("idog.bmp"), replace("adog.bmp")}, {}},
        {"dog.bmp", {"idog.bmp", "adog.bmp"}, {IDNO}, {replace("idog.bmp")}, {}},
        {"gone/dog.bmp", {}, {}, {"gone/idog.bmp"}, {}}, // a folder that is not there
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chosen << " " << c.there.size() << " " << c.answers.size());
        TempDir dir;
        for (const std::string& name : c.there)
            dir.Write(name, "old");
        std::unique_ptr<CDIB> image = MakeImage(true);
        ScriptedAnswers answers;
        answers.answers.push_back(Chosen(dir.Join(c.chosen)));
        for (int answer : c.answers)
            answers.Then(answer);
        answers.onDialog = [&](CDialog* d) {
            ClickSave(d);
            d->OnCommand(IDOK);
        };
        CInfoDialog dialog;
        EXPECT_EQ(dialog.Run("info", image.get()), 1);
        std::vector<std::string> asked;
        for (std::size_t i = 2; i < answers.asked.size(); ++i)
            asked.push_back(answers.asked[i].text);
        if (std::string(c.chosen).rfind("gone/", 0) == 0) {
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0],
                      ProgramTextOf(ProgramText::fileNotWritten, GetLanguage(), dir.Join(c.asked[0])));
            EXPECT_EQ(answers.asked.back().style & 0xF0, MB_ICONERROR);
            continue;
        }
        EXPECT_EQ(asked, c.asked);
        for (const std::string& name : c.there) {
            if (std::find(c.replaced.begin(), c.replaced.end(), name) == c.replaced.end()) {
                EXPECT_EQ(dir.Read(name), "old") << name << " stays";
            }
        }
        for (const std::string& name : c.replaced)
            EXPECT_NE(dir.Read(name), "old") << name << " is written";
    }
}

TEST(InfoDialog, SaveWithoutAnImageAsksNothingAndCanBeUsedAgain) {
    ScriptedAnswers answers;
    answers.onDialog = [&](CDialog* d) {
        ClickSave(d);
        ClickSave(d);
        d->OnCommand(IDOK);
    };
    CInfoDialog dialog;
    EXPECT_EQ(dialog.Run("info", nullptr), 1);
    EXPECT_EQ(answers.asked.size(), 1u);

    std::unique_ptr<CDIB> image = MakeImage(false);
    EXPECT_EQ(dialog.Run("info", image.get()), 1);
    EXPECT_EQ(answers.Count(ModalKind::SaveFile), 2);
}

TEST(InfoDialog, EscOpensTheSaveDialogInsteadOfClosing) {
    SetModalResponder({});
    std::unique_ptr<CDIB> image = MakeImage(true);
    CInfoDialog dialog;
    QTimer::singleShot(0, [&] {
        ScriptedAnswers answers; // the Info dialog runs for real; what it asks from here on is cancelled
        QWidget* window = dialog.GetQWidget();
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_EQ(answers.Count(ModalKind::SaveFile), 1);
        EXPECT_TRUE(window->isVisible());
        QTest::keyClick(window, Qt::Key_Return); // OK, the default button
        if (window->isVisible()) {
            ADD_FAILURE() << "Enter did not close the dialog";
            dialog.EndDialog(IDOK);
        }
    });
    EXPECT_EQ(dialog.Run("info", image.get()), 1);
}
