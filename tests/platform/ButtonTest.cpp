#include "platform/Button.h"
#include "platform/DC.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {
struct RecordingButton : CButton {
    void DrawItem(DRAWITEMSTRUCT* item) override {
        states.push_back(item->itemState);
        EXPECT_EQ(item->CtlID, GetDlgCtrlID());
        EXPECT_EQ(item->rcItem, (RECT{0, 0, 40, 20}));
        item->hDC->FillSolidRect(item->rcItem,
                                 (item->itemState & ODS_SELECTED) ? RGB(0, 0, 0) : RGB(9, 9, 9));
    }
    void OnClicked() override { ++clicks; }
    void OnDoubleClicked() override { ++doubles; }
    void OnMouseMove(UINT, POINT p) override { lastMove = p; }
    UINT Last() const { return states.empty() ? 0xFFFF : states.back(); }
    std::vector<UINT> states;
    int clicks = 0;
    int doubles = 0;
    POINT lastMove{-1, -1};
};

struct ButtonFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(parent.Create("p", WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0));
        ASSERT_TRUE(button.Create("B", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10, 10, 50, 30}, &parent, 42));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.GetQWidget()));
        QApplication::processEvents();
    }
    QWidget* Top() { return parent.GetQWidget(); }
    CWnd parent;
    RecordingButton button;
};
} // namespace

TEST_F(ButtonFixture, OwnerDrawStatesFollowHoverPressAndDisable) {
    ASSERT_FALSE(button.states.empty()) << "first show draws";
    EXPECT_EQ(button.Last() & (ODS_SELECTED | ODS_HOTLIGHT | ODS_DISABLED), 0u);

    QTest::mouseMove(Top(), QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_EQ(button.Last() & (ODS_HOTLIGHT | ODS_SELECTED), ODS_HOTLIGHT);
    EXPECT_EQ(button.lastMove.x, 10);
    EXPECT_EQ(button.lastMove.y, 10);

    QTest::mousePress(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_TRUE(button.Last() & ODS_SELECTED);
    CDC* dc = button.GetDC();
    EXPECT_EQ(dc->GetPixel(5, 5), RGB(0, 0, 0)) << "what DrawItem drew stays on the surface";
    button.ReleaseDC(dc);
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_FALSE(button.Last() & ODS_SELECTED);

    QTest::mouseMove(Top(), QPoint(90, 90));
    QApplication::processEvents();
    EXPECT_FALSE(button.Last() & ODS_HOTLIGHT);

    size_t drawn = button.states.size();
    QApplication::processEvents();
    EXPECT_EQ(button.states.size(), drawn) << "nothing changed, nothing drawn";

    button.EnableWindow(FALSE);
    QApplication::processEvents();
    EXPECT_TRUE(button.Last() & ODS_DISABLED);
    button.EnableWindow(TRUE);
    QApplication::processEvents();
    EXPECT_FALSE(button.Last() & ODS_DISABLED);

    button.MoveWindow(0, 0, 40, 20);
    drawn = button.states.size();
    button.Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(button.states.size(), drawn + 1);
}

TEST_F(ButtonFixture, AClickLeavesTheKeyboardWithTheWindowThatHadIt) {
    CWnd keys;
    ASSERT_TRUE(keys.Create("k", WS_CHILD | WS_VISIBLE, {60, 60, 90, 90}, &parent, 43));
    keys.GetQWidget()->setFocusPolicy(Qt::StrongFocus);
    QApplication::setActiveWindow(Top());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Top()));
    keys.SetFocus();
    QTest::mouseClick(button.GetQWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(button.clicks, 1);
    EXPECT_TRUE(keys.GetQWidget()->hasFocus());
}

TEST_F(ButtonFixture, ClickAndDoubleClickNotifyOnceEach) {
    QTest::mouseClick(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(button.doubles, 0);

    QTest::mouseMove(Top(), QPoint(90, 90));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(25, 20));
    EXPECT_EQ(button.clicks, 2);
    EXPECT_EQ(button.doubles, 1);

    // Pressed over the button, released elsewhere: no click.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mousePress(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(Top(), QPoint(90, 90));
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 90));
    EXPECT_EQ(button.clicks, 2);
}

TEST(Button, PushLikeCheckBoxTogglesAndPlainButtonHasItsCaption) {
    CWnd parent;
    ASSERT_TRUE(parent.Create("p", WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0));
    RecordingButton check;
    ASSERT_TRUE(check.Create("Center", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, {0, 0, 60, 20},
                             &parent, 1007));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.GetQWidget()));
    EXPECT_FALSE(check.IsOwnerDraw());
    EXPECT_TRUE(check.states.empty()) << "Qt draws it";
    EXPECT_EQ(check.GetWindowText(), "Center");
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    QTest::mouseClick(parent.GetQWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.clicks, 1);
    check.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
}

TEST_F(ButtonFixture, HandlersMayDeleteTheirButton) {
    struct SelfDeleting : CButton {
        void OnClicked() override { delete this; }
        void OnLButtonDown(UINT, POINT) override {
            if (onPress)
                delete this;
        }
        bool onPress = false;
    };
    for (bool onPress : {false, true}) {
        auto* doomed = new SelfDeleting;
        doomed->onPress = onPress;
        ASSERT_TRUE(doomed->Create("x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {60, 60, 90, 90}, &parent, 9));
        QApplication::processEvents();
        QTest::mouseClick(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(70, 70));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Top()->findChildren<QWidget*>().size(), 1) << "only the fixture's button is left";
        QTest::qWait(QApplication::doubleClickInterval() + 20);
    }
}
