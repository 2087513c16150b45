#include "platform/ColorDialog.h"
#include "platform/FileDialog.h"
#include "platform/FontDialog.h"
#include "platform/Modal.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Works the modal dialog of type T that the next call opens, once it is up.
template <class T> void WhenOpen(std::function<void(T*)> work) {
    SetModalResponder({});
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(dialog);
    });
}

const char* const bmpFilter = "Bitmap file (*.bmp)|*.bmp|All Files (*.*)|*.*||";
} // namespace

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
        // No folder given: the user's home folder, not the working directory.
        EXPECT_EQ(d->directory().absolutePath(), QDir::homePath());
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->reject();
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST(FontDialog, ScriptedAndRealAnswersBecomeALogicalFont) {
    // A scripted answer whose face name lacks its terminating zero.
    SetModalResponder([](const ModalQuestion&) {
        ModalAnswer a;
        a.result = IDOK;
        std::memset(a.font.lfFaceName, 'x', LF_FACESIZE);
        return a;
    });
    CFontDialog scripted(nullptr, CF_SCREENFONTS | CF_NOSIMULATIONS);
    EXPECT_EQ(scripted.DoModal(), IDOK);
    SetModalResponder({});
    LOGFONT cut;
    scripted.GetCurrentFont(&cut);
    EXPECT_EQ(std::strlen(cut.lfFaceName), size_t(LF_FACESIZE - 1));

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
