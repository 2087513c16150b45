#include "platform/Dialog.h"
#include "platform/Button.h"
#include "platform/Modal.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr UINT IDC_TEXT = 1003, IDC_PROMPT = 1004, IDC_FONT = 1005, IDC_CENTER = 1007;

DialogTemplate TextLikeTemplate() {
    DialogTemplate t;
    t.caption = "Text";
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = 281;
    t.cy = 138;
    t.items = {
        {DialogItemKind::Picture, IDC_STATIC, "pics/back.bmp", 0, 0, 281, 138, WS_DISABLED | SS_SUNKEN},
        {DialogItemKind::Button, IDC_FONT, "Font,,,", 9, 92, 92, 18, WS_TABSTOP},
        {DialogItemKind::Button, IDC_CENTER, "Center", 108, 92, 63, 18, BS_AUTOCHECKBOX | BS_PUSHLIKE},
        {DialogItemKind::Button, UINT(IDOK), "OK", 9, 114, 42, 18, BS_DEFPUSHBUTTON},
        {DialogItemKind::Button, UINT(IDCANCEL), "Cancel", 228, 114, 42, 18, 0},
        {DialogItemKind::Static, IDC_PROMPT, "", 58, 114, 163, 18, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN},
        {DialogItemKind::Edit, IDC_TEXT, "", 8, 7, 263, 82,
         ES_MULTILINE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    };
    return t;
}

// Records the commands it hears and keeps the edit's text, as a dialog of the program would.
struct TextLikeDialog : CDialog {
    TextLikeDialog() : CDialog(TextLikeTemplate()) {}
    BOOL OnInitDialog() override {
        SetDlgItemText(IDC_TEXT, "hello");
        SetDlgItemText(IDC_PROMPT, "Type:");
        GotoDlgCtrl(GetDlgItem(IDC_TEXT));
        return FALSE;
    }
    void OnCommand(UINT id) override {
        commands.push_back(id);
        if (id == IDC_TEXT)
            text = GetDlgItemText(IDC_TEXT);
        CDialog::OnCommand(id);
    }
    std::vector<UINT> commands;
    std::string text;
};

struct DialogTest : ::testing::Test {
    void SetUp() override {
        SetModalResponder({});
        QImage picture(419, 222, QImage::Format_RGB888);
        picture.fill(Qt::red);
        dir.Mkdir("pics");
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.Join("pics/back.bmp")), "BMP"));
    }
    void TearDown() override { SetModalResponder({}); }
    TempDir dir;
    ScopedCwd cwd{dir.path};
};

ModalAnswer Answer(int result) {
    ModalAnswer answer;
    answer.result = result;
    return answer;
}

QRect Geometry(CDialog* dialog, UINT id) {
    CWnd* item = dialog->GetDlgItem(id);
    return item ? item->GetQWidget()->geometry() : QRect();
}
} // namespace

TEST_F(DialogTest, TemplateItemsSitAtTheirPlacesInPixels) {
    TextLikeDialog dialog;
    SetModalResponder([&](const ModalQuestion& q) {
        EXPECT_EQ(q.kind, ModalKind::Dialog);
        EXPECT_EQ(q.dialog, &dialog);
        EXPECT_EQ(q.text, "Text");
        RECT client;
        dialog.GetClientRect(&client);
        EXPECT_EQ(client, (RECT{0, 0, 421, 224}));
        EXPECT_EQ(Geometry(&dialog, IDC_FONT), QRect(13, 149, 138, 29));
        EXPECT_EQ(Geometry(&dialog, IDC_TEXT), QRect(12, 11, 394, 133));
        EXPECT_EQ(Geometry(&dialog, UINT(IDCANCEL)), QRect(342, 185, 63, 29));
        EXPECT_EQ(dialog.GetDlgItemText(IDC_FONT), "Font,,,");
        EXPECT_EQ(dialog.GetDlgItemText(IDC_PROMPT), "Type:");
        // The picture, found by what it shows: its own size from the top left, despite being disabled.
        int pictures = 0;
        for (QLabel* label : dialog.GetQWidget()->findChildren<QLabel*>())
            if (!label->pixmap().isNull()) {
                ++pictures;
                EXPECT_EQ(label->pixmap().size(), QSize(419, 222));
                EXPECT_EQ(label->pixmap().toImage().pixel(10, 10), qRgb(255, 0, 0));
            }
        EXPECT_EQ(pictures, 1);
        EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
        return Answer(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetDlgItem(IDC_TEXT), nullptr) << "items live while the dialog runs";
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, ScriptWorksItemsThroughTheHandlers) {
    TextLikeDialog dialog;
    SetModalResponder([&](const ModalQuestion& q) {
        q.dialog->SetDlgItemText(IDC_TEXT, "two\nlines");
        q.dialog->CheckDlgButton(IDC_CENTER, BST_CHECKED);
        EXPECT_EQ(q.dialog->IsDlgButtonChecked(IDC_CENTER), UINT(BST_CHECKED));
        q.dialog->OnCommand(IDC_FONT);
        q.dialog->OnCommand(UINT(IDOK));
        return Answer(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK) << "EndDialog's value wins over the answer";
    EXPECT_EQ(dialog.text, "two\nlines");
    EXPECT_EQ(dialog.commands.back(), UINT(IDOK));

    // Not ended by the script: the answer's result.
    SetModalResponder([](const ModalQuestion&) { return Answer(IDOK); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    SetModalResponder([](const ModalQuestion&) { return Answer(IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, RealDialogTakesTypingEnterAndEsc) {
    TextLikeDialog dialog;
    QTimer::singleShot(0, [&] {
        auto* edit = qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(IDC_TEXT)->GetQWidget());
        ASSERT_NE(edit, nullptr);
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "!");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "x");
        EXPECT_TRUE(dialog.GetSafeHwnd()) << "Enter in the edit is a new line";
        // Enter on the push-like check box presses the default button.
        QWidget* check = dialog.GetDlgItem(IDC_CENTER)->GetQWidget();
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.text, "hello!\nx");

    // Esc asks for IDCANCEL; a dialog that handles it its own way stays open.
    struct StaysOnEsc : TextLikeDialog {
        void OnCancel() override { ++cancels; }
        int cancels = 0;
    } stays;
    QTimer::singleShot(0, [&] {
        QTest::keyClick(stays.GetQWidget(), Qt::Key_Escape);
        EXPECT_EQ(stays.cancels, 1);
        EXPECT_TRUE(stays.GetQWidget()->isVisible());
        QTest::mouseClick(stays.GetDlgItem(IDC_FONT)->GetQWidget(), Qt::LeftButton);
        stays.EndDialog(77);
    });
    EXPECT_EQ(stays.DoModal(), 77);
    EXPECT_EQ(stays.commands, (std::vector<UINT>{IDC_TEXT, UINT(IDCANCEL), IDC_FONT}));
}
