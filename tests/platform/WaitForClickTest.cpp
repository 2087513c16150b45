#include "platform/WaitForClick.h"
#include "platform/Modal.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

namespace {
// A window that writes down the input it hears.
struct Listener : QWidget {
    void keyPressEvent(QKeyEvent*) override { heard += 'K'; }
    void mousePressEvent(QMouseEvent*) override { heard += 'P'; }
    void mouseReleaseEvent(QMouseEvent*) override { heard += 'R'; }
    void mouseDoubleClickEvent(QMouseEvent*) override { heard += '2'; }
    void mouseMoveEvent(QMouseEvent*) override { heard += 'M'; }
    std::string heard;
};

struct WaitForClickTest : ::testing::Test {
    void SetUp() override {
        SetModalResponder({});
        listener.resize(50, 50);
        listener.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&listener));
        QApplication::setActiveWindow(&listener);
        listener.setFocus();
        QTest::qWait(QApplication::doubleClickInterval() + 20);
    }
    Listener listener;
};
} // namespace

TEST_F(WaitForClickTest, SwallowsOtherInputAndReturnsOnAPressAfterRelease) {
    bool returned = false;
    std::string heardBeforeClick;
    QTimer::singleShot(0, [&] {
        QTest::keyClick(&listener, Qt::Key_A);
        QTest::mouseMove(&listener, QPoint(10, 10));
        heardBeforeClick = listener.heard;
        EXPECT_FALSE(returned);
        QTest::mouseClick(&listener, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    });
    EXPECT_EQ(WaitForClick(nullptr), WaitEnd::clickElsewhere);
    returned = true;
    QApplication::processEvents();
    EXPECT_EQ(heardBeforeClick, "");
    EXPECT_EQ(listener.heard, "") << "not even the release of the click that ended the wait";

    // Afterwards input flows again.
    QTest::keyClick(&listener, Qt::Key_B);
    EXPECT_EQ(listener.heard, "K");
}

TEST_F(WaitForClickTest, AButtonHeldOnEntryMustBeReleasedFirst) {
    QTest::mousePress(&listener, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    listener.heard.clear();
    bool stillWaitingAfterRelease = false;
    bool returned = false;
    QTimer::singleShot(0, [&] {
        QTest::mouseRelease(&listener, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QApplication::processEvents();
        stillWaitingAfterRelease = !returned;
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        QTest::mousePress(&listener, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    });
    WaitForClick(nullptr);
    returned = true;
    EXPECT_TRUE(stillWaitingAfterRelease);
    QTest::mouseRelease(&listener, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(listener.heard, "");
}

// The page is the top left quarter of a window; what ends the wait says whether help turns or leaves.
TEST_F(WaitForClickTest, TellsAClickOnTheWindowFromOneBesideItAndEscape) {
    CWnd top, page;
    ASSERT_TRUE(top.Create("", WS_VISIBLE, {300, 300, 400, 400}, nullptr, 0));
    ASSERT_TRUE(page.Create("", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, &top, 1));
    QWidget* window = top.GetQWidget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const struct {
        QPoint click; // none: Escape
        WaitEnd end;
    } cases[] = {{{10, 10}, WaitEnd::clickOnWindow},
                 {{49, 49}, WaitEnd::clickOnWindow},
                 {{60, 20}, WaitEnd::clickElsewhere},
                 {{}, WaitEnd::escape}};
    for (const auto& c : cases) {
        QTimer::singleShot(0, [&] {
            if (c.click.isNull())
                QTest::keyClick(window, Qt::Key_Escape);
            else
                QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, c.click);
        });
        EXPECT_EQ(WaitForClick(&page), c.end) << c.click.x() << "," << c.click.y();
        QTest::qWait(QApplication::doubleClickInterval() + 20);
    }
}

TEST(WaitForClick, ScriptedReturnsAtOnce) {
    int asked = 0;
    SetModalResponder([&](const ModalQuestion& q) {
        asked += q.kind == ModalKind::WaitForClick;
        return ModalAnswer{};
    });
    EXPECT_EQ(WaitForClick(nullptr), WaitEnd::escape) << "Cancel, the default answer";
    SetModalResponder({});
    EXPECT_EQ(asked, 1);
}
