#include "platform/WaitForClick.h"
#include "platform/Modal.h"

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
    WaitForClick();
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
    WaitForClick();
    returned = true;
    EXPECT_TRUE(stillWaitingAfterRelease);
    QTest::mouseRelease(&listener, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(listener.heard, "");
}

TEST(WaitForClick, ScriptedReturnsAtOnce) {
    int asked = 0;
    SetModalResponder([&](const ModalQuestion& q) {
        asked += q.kind == ModalKind::WaitForClick;
        return ModalAnswer{};
    });
    WaitForClick();
    SetModalResponder({});
    EXPECT_EQ(asked, 1);
}
