#include "support/ShellFixture.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
QSize Outer(QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}
} // namespace

TEST(MainFrame, OnASmallScreenTheWindowFillsIt) {
    setenv("QUIMBLE_SCREEN_SIZE", "640x480", 1);
    ShellApp app;
    bool started = app.Start();
    unsetenv("QUIMBLE_SCREEN_SIZE");
    ASSERT_TRUE(started);
    EXPECT_EQ(app.Window()->frameGeometry(), QRect(0, 0, 640, 480));
}

TEST(MainFrame, TheViewsMinimumTrackingSizeLimitsTheWindow) {
    ShellApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Window()->minimumSize(), QSize(0, 0)); // nothing asked for yet
    app.View()->SetMinTrackSize(210, 210);
    app.m_pMainWnd->RecalcMinMaxInfo();
    EXPECT_EQ(app.Window()->minimumSize() + Outer(app.Window()), QSize(210, 210));
}
