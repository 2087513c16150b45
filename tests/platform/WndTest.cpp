#include "platform/Wnd.h"
#include "platform/DC.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {
// Counts the messages and keeps the mouse events it hears.
struct RecordingWnd : CWnd {
    void OnPaint() override {
        ++paints;
        if (drawDuringPaint) {
            // A context released inside the paint must not ask for another paint.
            CDC* dc = GetDC();
            dc->FillSolidRect({0, 0, 5, 5}, RGB(0, 0, 255));
            ReleaseDC(dc);
        }
        CWnd::OnPaint();
    }
    BOOL OnEraseBkgnd(CDC* dc) override {
        ++erases;
        return keepPixels ? TRUE : CWnd::OnEraseBkgnd(dc);
    }
    void OnSize(UINT, int cx, int cy) override { sizes.push_back({cx, cy}); }
    void OnMouseMove(UINT flags, POINT p) override { events.push_back({'M', flags, p}); }
    void OnLButtonDown(UINT flags, POINT p) override { events.push_back({'D', flags, p}); }
    void OnLButtonUp(UINT flags, POINT p) override { events.push_back({'U', flags, p}); }
    void OnLButtonDblClk(UINT flags, POINT p) override { events.push_back({'2', flags, p}); }

    struct Event {
        char kind;
        UINT flags;
        POINT p;
    };
    int paints = 0;
    int erases = 0;
    bool drawDuringPaint = false;
    bool keepPixels = false;
    std::vector<SIZE> sizes;
    std::vector<Event> events;
};

COLORREF PixelOf(CWnd& wnd, int x, int y) {
    CDC* dc = wnd.GetDC();
    COLORREF c = dc->GetPixel(x, y);
    wnd.ReleaseDC(dc);
    return c;
}

void ShowAndSettle(CWnd& wnd) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd.GetQWidget()));
    QApplication::processEvents();
}
} // namespace

TEST(Wnd, InvalidateRunsOnePaintMessageAndNoLoop) {
    RecordingWnd wnd;
    wnd.drawDuringPaint = true;
    ASSERT_TRUE(wnd.Create("w", WS_VISIBLE, {0, 0, 30, 30}, nullptr, 0));
    ShowAndSettle(wnd);
    EXPECT_GE(wnd.paints, 1) << "first show paints";
    wnd.paints = wnd.erases = 0;

    wnd.Invalidate(FALSE);
    wnd.Invalidate(FALSE);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.erases, 0);
    EXPECT_EQ(PixelOf(wnd, 2, 2), RGB(0, 0, 255));

    wnd.InvalidateRect(nullptr, TRUE);
    wnd.ValidateRect(nullptr);
    QApplication::processEvents();
    EXPECT_EQ(wnd.paints, 1) << "validated before it ran";

    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);
    EXPECT_EQ(wnd.erases, 1);
}

TEST(Wnd, SurfaceKeepsDrawingThroughResizesAndTheScreenShowsIt) {
    RecordingWnd wnd;
    wnd.keepPixels = true;
    ASSERT_TRUE(wnd.Create("w", WS_VISIBLE, {0, 0, 30, 30}, nullptr, 0));
    ShowAndSettle(wnd);
    CDC* dc = wnd.GetDC();
    dc->FillSolidRect({0, 0, 30, 30}, RGB(0, 128, 0));
    wnd.ReleaseDC(dc);
    QApplication::processEvents();
    EXPECT_EQ(wnd.GetQWidget()->grab().toImage().pixel(15, 15), qRgb(0, 128, 0));
    wnd.paints = 0;
    wnd.sizes.clear();

    wnd.SetWindowPos(nullptr, 0, 0, 50, 45, SWP_NOZORDER | SWP_NOMOVE);
    QApplication::processEvents();
    ASSERT_EQ(wnd.sizes.size(), 1u);
    EXPECT_EQ(wnd.sizes[0].cx, 50);
    EXPECT_EQ(wnd.sizes[0].cy, 45);
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(PixelOf(wnd, 29, 29), RGB(0, 128, 0));
    EXPECT_NE(PixelOf(wnd, 49, 44), CLR_INVALID) << "the surface grew";
    EXPECT_EQ(PixelOf(wnd, 50, 0), CLR_INVALID);
}

TEST(Wnd, MouseReachesTheChildUnderThePointerInClientCoordinates) {
    RecordingWnd parent, child;
    ASSERT_TRUE(parent.Create("p", WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0));
    ASSERT_TRUE(child.Create("", WS_CHILD | WS_VISIBLE, {10, 20, 60, 70}, &parent, 7));
    ShowAndSettle(parent);
    EXPECT_EQ(child.GetDlgCtrlID(), 7u);
    EXPECT_EQ(child.GetParent(), &parent);

    QWidget* top = parent.GetQWidget();
    QTest::mouseMove(top, QPoint(3, 3));
    QTest::mouseMove(top, QPoint(15, 30));
    QTest::mousePress(top, Qt::LeftButton, Qt::ShiftModifier, QPoint(15, 30));
    QTest::mouseMove(top, QPoint(20, 35));
    QTest::mouseRelease(top, Qt::LeftButton, Qt::NoModifier, QPoint(20, 35));
    QTest::mouseDClick(top, Qt::LeftButton, Qt::NoModifier, QPoint(25, 40));

    std::string kinds;
    for (auto& e : child.events)
        kinds += e.kind;
    // Windows order: the second press of a double click arrives as the double click alone.
    EXPECT_EQ(kinds.substr(kinds.size() - 4), "DU2U");
    auto find = [&](char k) {
        for (auto& e : child.events)
            if (e.kind == k)
                return e;
        return RecordingWnd::Event{};
    };
    EXPECT_EQ(find('D').p.x, 5);
    EXPECT_EQ(find('D').p.y, 10);
    EXPECT_EQ(find('D').flags, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(find('U').p.x, 10);
    EXPECT_EQ(find('U').flags & MK_LBUTTON, 0u);
    EXPECT_EQ(find('2').p.x, 15);
    EXPECT_EQ(find('M').p.x, 5) << "moves without a button arrive too";
    for (auto& e : parent.events)
        EXPECT_EQ(e.kind, 'M') << "a press on the child does not travel on to the parent";
}

TEST(Wnd, ObjectsAndWidgetsMayGoInAnyOrder) {
    auto parent = std::make_unique<CWnd>();
    CWnd child;
    EXPECT_FALSE(child.Create("", WS_CHILD, {0, 0, 5, 5}, parent.get(), 1)) << "parent without a window";
    ASSERT_TRUE(parent->Create("p", 0, {0, 0, 50, 50}, nullptr, 0));
    ASSERT_TRUE(child.Create("", WS_CHILD | WS_DISABLED, {0, 0, 5, 5}, parent.get(), 1));
    EXPECT_TRUE(child.EnableWindow(TRUE)) << "was disabled";

    // A context open while its window is resized, or destroyed, draws into the old pixels.
    CDC* early = child.GetDC();
    child.MoveWindow(0, 0, 40, 40);
    early->FillSolidRect({0, 0, 40, 40}, RGB(1, 2, 3));
    child.ReleaseDC(early);
    CDC* late = child.GetDC();

    // The parent's window takes the child's with it; the child object stays usable.
    parent->DestroyWindow();
    late->FillSolidRect({0, 0, 40, 40}, RGB(1, 2, 3));
    child.ReleaseDC(late);
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(child.GetDC(), nullptr);
    child.Invalidate();
    child.MoveWindow(1, 1, 2, 2);
    ASSERT_TRUE(parent->Create("p", 0, {0, 0, 50, 50}, nullptr, 0));
    ASSERT_TRUE(child.Create("", WS_CHILD, {0, 0, 5, 5}, parent.get(), 2));
    EXPECT_EQ(child.GetSafeHwnd(), &child);

    // An object going first takes its widget out of the parent's.
    QWidget* w = parent->GetQWidget();
    {
        CWnd shortLived;
        ASSERT_TRUE(shortLived.Create("", WS_CHILD, {0, 0, 5, 5}, parent.get(), 3));
    }
    EXPECT_EQ(w->findChildren<QWidget*>().size(), 1);
}

TEST(Wnd, AHandlerMayDestroyItsOwnWindowAndTheParent) {
    struct Destroyer : CWnd {
        void OnLButtonDown(UINT, POINT) override { victim->DestroyWindow(); }
        CWnd* victim = nullptr;
    };
    CWnd parent;
    Destroyer child;
    child.victim = &parent;
    ASSERT_TRUE(parent.Create("p", WS_VISIBLE, {0, 0, 50, 50}, nullptr, 0));
    ASSERT_TRUE(child.Create("", WS_CHILD | WS_VISIBLE, {0, 0, 20, 20}, &parent, 1));
    ShowAndSettle(parent);
    QTest::mousePress(parent.GetQWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(parent.GetSafeHwnd(), nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child.GetSafeHwnd(), nullptr) << "the child's widget went with the parent's";
}

TEST(Wnd, TopLevelTakesItsSizeLimitsAndZeroMeansNone) {
    struct Limited : CWnd {
        void OnGetMinMaxInfo(MINMAXINFO* info) override {
            info->ptMinTrackSize = {100, 80};
            info->ptMaxTrackSize = {0, 0};
        }
    } wnd;
    ASSERT_TRUE(wnd.Create("w", 0, {0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(wnd.GetQWidget()->minimumSize(), QSize(100, 80));
    EXPECT_EQ(wnd.GetQWidget()->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    RECT client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, (RECT{0, 0, 100, 80}));
}
