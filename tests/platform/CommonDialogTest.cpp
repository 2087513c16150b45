#include "platform/ColorDialog.h"
#include "platform/FileDialog.h"
#include "platform/FontDialog.h"
#include "platform/Modal.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
// Records every question and answers with the next prepared answer.
struct Script {
    Script() {
        SetModalResponder([this](const ModalQuestion& q) {
            asked.push_back(q);
            ModalAnswer a = answers.empty() ? ModalAnswer{} : answers.front();
            if (!answers.empty())
                answers.erase(answers.begin());
            return a;
        });
    }
    ~Script() { SetModalResponder({}); }
    std::vector<ModalQuestion> asked;
    std::vector<ModalAnswer> answers;
};

ModalAnswer Ok() {
    ModalAnswer a;
    a.result = IDOK;
    return a;
}

// Works the modal dialog of type T that the next call opens, once it is up.
template <class T> void WhenOpen(std::function<void(T*)> work) {
    SetModalResponder({});
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(dialog);
    });
}

constexpr const char* bmpFilter = "Bitmap file (*.bmp)|*.bmp|All Files (*.*)|*.*||";
} // namespace

TEST(FileDialog, ScriptedQuestionsAndAnswers) {
    Script script;
    ModalAnswer chosen = Ok();
    chosen.path = "/tmp/x/dog.bmp";
    script.answers = {chosen, ModalAnswer{}};

    CFileDialog save(FALSE, nullptr, "start.bmp", 0x880006, bmpFilter);
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "/tmp/x/dog.bmp");
    CFileDialog open(TRUE, nullptr, nullptr, 0x881806, bmpFilter);
    open.m_ofn.lpstrTitle = "Load";
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_EQ(open.GetPathName(), "");

    ASSERT_EQ(script.asked.size(), 2u);
    EXPECT_EQ(script.asked[0].kind, ModalKind::SaveFile);
    EXPECT_EQ(script.asked[0].text, "Save As");
    EXPECT_EQ(script.asked[0].fileName, "start.bmp");
    EXPECT_EQ(script.asked[0].filter, bmpFilter);
    EXPECT_EQ(script.asked[0].style, 0x880006u);
    EXPECT_EQ(script.asked[1].kind, ModalKind::OpenFile);
    EXPECT_EQ(script.asked[1].text, "Load");
    EXPECT_EQ(script.asked[1].style, 0x881806u);
}

TEST(FileDialog, RealSaveDialogTakesATypedNameAndAddsTheExtension) {
    TempDir dir;
    std::string initial = dir.Join("first.bmp");
    CFileDialog save(FALSE, "bmp", initial.c_str(), OFN_OVERWRITEPROMPT, bmpFilter);
    WhenOpen<QFileDialog>([](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Save As");
        EXPECT_EQ(d->nameFilters(), (QStringList{"Bitmap file (*.bmp)", "All Files (*)"}));
        auto* name = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "first.bmp");
        name->clear();
        QTest::keyClicks(name, "typed");
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), dir.Join("typed.bmp"));

    CFileDialog cancelled(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, bmpFilter);
    WhenOpen<QFileDialog>([](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Open");
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->reject();
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST(FontDialog, ScriptedAndRealAnswersBecomeALogicalFont) {
    {
        Script script;
        ModalAnswer a = Ok();
        std::strcpy(a.font.lfFaceName, "Serif");
        a.font.lfHeight = -20;
        script.answers = {a};
        CFontDialog dialog(nullptr, CF_SCREENFONTS | CF_NOSIMULATIONS);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(script.asked.at(0).kind, ModalKind::Font);
        EXPECT_EQ(script.asked.at(0).style, 0x1001u);
        LOGFONT lf;
        dialog.GetCurrentFont(&lf);
        EXPECT_STREQ(lf.lfFaceName, "Serif");
        EXPECT_EQ(lf.lfHeight, -20);
    }

    // A face the dialog can offer in bold italic.
    QFont pick;
    bool found = false;
    for (const QString& family : QFontDatabase::families())
        for (const QString& style : QFontDatabase::styles(family))
            if (!found && QFontDatabase::italic(family, style) &&
                QFontDatabase::weight(family, style) == QFont::Bold) {
                pick = QFontDatabase::font(family, style, 24);
                found = true;
            }
    if (!found)
        GTEST_SKIP() << "no bold italic face installed";
    pick.setUnderline(true);
    LOGFONT initial;
    initial.lfHeight = -10;
    CFontDialog dialog(&initial, CF_SCREENFONTS | CF_EFFECTS);
    WhenOpen<QFontDialog>([pick](QFontDialog* d) {
        d->setCurrentFont(pick);
        d->accept();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    LOGFONT lf;
    dialog.GetCurrentFont(&lf);
    EXPECT_EQ(QString(lf.lfFaceName), pick.family());
    EXPECT_LT(lf.lfHeight, 0);
    double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    EXPECT_NEAR(-lf.lfHeight, 24 * dpi / 72, 1.0);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfStrikeOut, 0);
}

TEST(ColorDialog, StartsFromTheGivenColourAndFreshCustomColours) {
    {
        Script script;
        ModalAnswer a = Ok();
        a.colour = RGB(1, 2, 3);
        script.answers = {a, ModalAnswer{}};
        CColorDialog dialog(RGB(50, 0, 30), CC_RGBINIT | CC_FULLOPEN);
        EXPECT_EQ(dialog.GetColor(), RGB(50, 0, 30));
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(script.asked.at(0).kind, ModalKind::Colour);
        EXPECT_EQ(script.asked.at(0).colour, RGB(50, 0, 30));
        EXPECT_EQ(script.asked.at(0).style, 3u);
        EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3)) << "Cancel keeps the colour";
    }

    QColorDialog::setCustomColor(0, Qt::red);
    CColorDialog dialog(RGB(50, 0, 30), CC_RGBINIT);
    WhenOpen<QColorDialog>([](QColorDialog* d) {
        EXPECT_EQ(d->currentColor(), QColor(50, 0, 30));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(Qt::white));
        d->setCurrentColor(QColor(10, 200, 30));
        d->accept();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 200, 30));
    EXPECT_EQ(CColorDialog(RGB(9, 9, 9), 0).GetColor(), RGB(0, 0, 0)) << "without CC_RGBINIT: black";
}
