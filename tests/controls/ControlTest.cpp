#include "support/ControlTestKit.h"

#include "controls/ButtonControl.h"
#include "controls/Control.h"
#include "imaging/DIB.h"
#include "platform/Modal.h"
#include "platform/Palette.h"
#include "platform/Screen.h"
#include "support/TempDir.h"

#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

TEST(FitAspect, FitsWideAndTallSourcesCentredOnTheFittedAxisFromZero) {
    RECT wide = {10, 10, 110, 110};
    CControl::FitAspect({0, 0, 200, 50}, wide);
    // Height 100 / 4 = 25, re-based at 0 and moved down by (100 - 25) >> 1; the width is left alone.
    EXPECT_EQ(wide, (RECT{10, 37, 110, 62}));

    RECT tall = {10, 10, 110, 110};
    CControl::FitAspect({0, 0, 50, 200}, tall);
    EXPECT_EQ(tall, (RECT{37, 10, 62, 110}));

    RECT same = {0, 0, 60, 30};
    CControl::FitAspect({5, 5, 25, 15}, same);
    EXPECT_EQ(same, (RECT{0, 0, 60, 30}));

    for (RECT source : {RECT{0, 0, 0, 50}, RECT{0, 0, 50, 0}}) {
        RECT dest = {3, 4, 50, 60};
        CControl::FitAspect(source, dest);
        EXPECT_EQ(dest, (RECT{3, 4, 50, 60})) << "a source without area changes nothing";
    }
    RECT flat = {3, 4, 50, 4};
    CControl::FitAspect({0, 0, 10, 10}, flat);
    EXPECT_EQ(flat, (RECT{3, 4, 50, 4}));
}

namespace {
// A strip stand-in: it lays out its one child at a place of its own choosing.
class CHolder : public CSolidControl {
public:
    CHolder(CControlManager* manager, CWnd* parent, const RECT& design, CControl* child)
        : CSolidControl(manager, parent, 2, design, RGB(0, 0, 0)), m_child(child) {
        m_flags |= CTL_LAYS_OUT_CHILDREN;
        child->SetParentControl(this);
    }
    void Rescale() override {
        CControl::Rescale();
        m_child->MoveTo({m_rect.left + 1, m_rect.top + 1, m_rect.left + 5, m_rect.top + 5});
    }
    CControl* m_child;
};

RECT Geometry(CWnd* wnd) {
    const QRect g = WidgetOf(wnd)->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}
} // namespace

TEST(ControlManager, LaysOutByScalingFromTheDesignScreenTruncatingTowardZero) {
    CTestView view(394, 275);
    auto* a = new CSolidControl(&view, &view, 1, {100, 50, 301, 251}, RGB(255, 0, 0));
    auto* child = new CSolidControl(&view, &view, 3, {0, 0, 10, 10}, RGB(0, 255, 0));
    auto* holder = new CHolder(&view, &view, {400, 300, 600, 500}, child);
    auto* negative = new CSolidControl(&view, &view, 4, {-3, -3, 7, 7}, RGB(0, 0, 255));
    for (CControl* c : {static_cast<CControl*>(a), static_cast<CControl*>(child),
                        static_cast<CControl*>(holder), static_cast<CControl*>(negative)})
        ASSERT_TRUE(view.AddControl(c));
    EXPECT_EQ(a->GetManager(), &view);

    view.Resize(200, 100);
    EXPECT_EQ(a->GetRect(), (RECT{100, 50, 301, 251})) << "no layout before the first paint";

    Settle();
    ASSERT_TRUE(view.GetFlags() & CMF_REFERENCE_SIZE);
    EXPECT_EQ(view.GetReferenceSize().cx, DESIGN_WIDTH);
    EXPECT_EQ(view.GetReferenceSize().cy, DESIGN_HEIGHT);
    EXPECT_DOUBLE_EQ(view.GetScaleX(), 0.5);
    EXPECT_DOUBLE_EQ(view.GetScaleY(), 0.5);
    EXPECT_EQ(a->GetRect(), (RECT{50, 25, 150, 125}));
    EXPECT_EQ(Geometry(a), a->GetRect()) << "the window follows its rectangle";
    EXPECT_EQ(negative->GetRect(), (RECT{-1, -1, 3, 3})) << "truncation goes toward zero, not down";
    EXPECT_EQ(child->GetRect(), (RECT{201, 151, 205, 155})) << "a control in a strip keeps the strip's place";

    view.Resize(788 * 3 / 4, 550 / 3);
    EXPECT_EQ(a->GetRect(), (RECT{75, 16, 225, 83}));
    EXPECT_EQ(child->GetRect(), (RECT{301, 100, 305, 104}));

    const RECT before = a->GetRect();
    view.Resize(0, 0);
    EXPECT_EQ(a->GetRect(), before) << "a minimised view moves nothing";
    EXPECT_EQ(view.FindControl(3), child);
    EXPECT_EQ(view.FindControl(99), nullptr);
    EXPECT_EQ(view.FindControlByWindow(a), a);
    EXPECT_EQ(view.FindControlByWindow(&view), nullptr);
}

TEST(ControlManager, ReferenceSizeIsTheBackgroundPictureAndItIsPaintedStretched) {
    TempDir dir;
    const std::string path = WriteBandPicture(dir.Join("back.bmp"), 200, 100);
    CTestView view(400, 300);
    EXPECT_FALSE(view.SetBackground(dir.Join("missing.bmp").c_str()));
    ASSERT_TRUE(view.SetBackground(path.c_str()));
    Settle();
    EXPECT_EQ(view.GetReferenceSize().cx, 200);
    EXPECT_EQ(view.GetReferenceSize().cy, 100);
    EXPECT_DOUBLE_EQ(view.GetScaleX(), 2.0);
    EXPECT_DOUBLE_EQ(view.GetScaleY(), 3.0);
    // Band 3 (top quarter) stretched over the top 75 rows, band 0 over the bottom 75.
    EXPECT_EQ(PixelOf(&view, 10, 10), kBandColour[3]);
    EXPECT_EQ(PixelOf(&view, 390, 290), kBandColour[0]);

    ASSERT_TRUE(view.SetBackground(nullptr));
    view.Invalidate(TRUE);
    Settle();
    EXPECT_EQ(PixelOf(&view, 10, 10), RGB(151, 151, 151)) << "the plain colour once the picture is gone";
}

TEST(ControlManager, HotControlFollowsThePointerAndLeavesOverTheView) {
    CTestView view(788, 550);
    auto* a = new CSolidControl(&view, &view, 1, {10, 10, 60, 60}, RGB(255, 0, 0));
    auto* b = new CSolidControl(&view, &view, 2, {100, 10, 150, 60}, RGB(0, 255, 0));
    auto* never = new CSolidControl(&view, &view, 3, {200, 10, 250, 60}, RGB(0, 0, 255), CTL_NEVER_HOT);
    for (CControl* c : {static_cast<CControl*>(a), static_cast<CControl*>(b), static_cast<CControl*>(never)})
        view.AddControl(c);
    Settle();
    QWidget* top = WidgetOf(&view);

    QTest::mouseMove(top, QPoint(30, 30));
    EXPECT_EQ(view.GetHotControl(), a);
    QTest::mouseMove(top, QPoint(120, 30));
    EXPECT_EQ(view.GetHotControl(), b);
    EXPECT_EQ(CountHot(view), 1);
    EXPECT_FALSE(a->GetFlags() & CTL_HOT);

    const int draws = b->m_draws;
    QTest::mouseMove(top, QPoint(125, 35));
    EXPECT_EQ(b->m_draws, draws) << "moving within the hot control redraws nothing";

    QTest::mouseMove(top, QPoint(220, 30));
    EXPECT_FALSE(never->GetFlags() & CTL_HOT);
    QTest::mouseMove(top, QPoint(400, 300));
    EXPECT_EQ(CountHot(view), 0);
    EXPECT_EQ(view.GetHotControl(), nullptr);
}

TEST(ControlManager, RemoveAllDeletesTheControlsAndForgetsTheWindow) {
    CTestView view(100, 100);
    view.AddControl(new CSolidControl(&view, &view, 1, {0, 0, 10, 10}, 0));
    view.SetHotControl(view.FindControl(1));
    view.SetMinTrackSize(210, 210);
    MINMAXINFO info{};
    view.GetMinMaxInfo(&info);
    EXPECT_EQ(info.ptMinTrackSize.x, 210);
    view.RemoveAll();
    EXPECT_EQ(view.GetControlCount(), 0);
    EXPECT_EQ(view.GetHotControl(), nullptr);
    EXPECT_EQ(view.GetWindow(), nullptr);
    EXPECT_EQ(view.GetFlags(), 0u);
    EXPECT_FALSE(view.PaintBackground(nullptr));
    EXPECT_FALSE(view.AddControl(nullptr));
}

namespace {
class CPressRecorder : public CSolidControl {
public:
    using CSolidControl::CSolidControl;
    void OnLeftButtonDown(UINT, int x, int y) override { m_presses.push_back({x, y}); }
    void OnLeftButtonUp(UINT, int x, int y) override { m_presses.push_back({-x, -y}); }
    std::vector<POINT> m_presses;
};
} // namespace

TEST(WndControl, PaintsItselfAndKeepsTheLastMousePosition) {
    CTestView view(394, 275);
    auto* pad = new CPressRecorder(&view, &view, 1, {100, 100, 300, 300}, RGB(10, 20, 30));
    view.AddControl(pad);
    Settle();
    EXPECT_EQ(CentreOf(pad), RGB(10, 20, 30)) << "the paint message draws the control";

    QWidget* top = WidgetOf(&view);
    QTest::mouseMove(top, QPoint(60, 60));
    QTest::mouseMove(top, QPoint(67, 55));
    EXPECT_EQ(pad->GetMousePosition().x, 17) << "positions are in the control's own pixels";

    QTest::mousePress(top, Qt::LeftButton, {}, QPoint(70, 70));
    QTest::mouseRelease(top, Qt::LeftButton, {}, QPoint(71, 72));
    ASSERT_EQ(pad->m_presses.size(), 2u);
    EXPECT_EQ(pad->m_presses[0].x, 20);
    EXPECT_EQ(pad->m_presses[1].y, -22);
}

TEST(ControlManager, PaletteFromAPictureMapsTheSharedPicturesWhenAsked) {
    TempDir dir;
    CTestView view(100, 100);
    const std::string path = WriteBandPicture(dir.Join("b.bmp"), 8, 8);
    EXPECT_FALSE(view.SetPalette(view.GetDIB(path.c_str(), true).get()))
        << "a 24-bit picture has no colour table";
    EXPECT_EQ(view.GetPalette(), nullptr);

    CDIB table;
    CPalette grey;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* description = reinterpret_cast<LOGPALETTE*>(block.data());
    description->palVersion = 0x300;
    description->palNumEntries = 256;
    for (int i = 0; i < 256; ++i)
        description->palPalEntry[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
    ASSERT_TRUE(grey.CreatePalette(description));
    ASSERT_TRUE(table.Create(2, 2, 8, &grey));
    ASSERT_TRUE(view.SetPalette(&table));
    ASSERT_NE(view.GetPalette(), nullptr);

    const std::string other = WriteBandPicture(dir.Join("c.bmp"), 8, 8);
    EXPECT_EQ(view.GetDIB(other.c_str(), false)->BitCount(), 24);
    EXPECT_EQ(view.GetDIB(other.c_str(), true)->BitCount(), 8) << "mapped onto the screen palette";
    EXPECT_TRUE(view.SetPalette(nullptr));
    EXPECT_EQ(view.GetPalette(), nullptr);

    setenv("QUIMBLE_SCREEN_COLORS", "256", 1);
    view.CheckDisplay();
    EXPECT_TRUE(TestDisplayFlag(DISPLAY_PALETTE));
    unsetenv("QUIMBLE_SCREEN_COLORS");
    view.CheckDisplay();
    EXPECT_FALSE(TestDisplayFlag(DISPLAY_PALETTE)) << "the offscreen screen shows true colour";
}

TEST(ControlManager, AControlWhoseWindowCannotBeMadeStaysWindowless) {
    std::vector<std::string> asked;
    SetModalResponder([&](const ModalQuestion& q) {
        asked.push_back(q.text);
        ModalAnswer answer;
        answer.result = IDOK;
        return answer;
    });
    CTestView view(394, 275);
    CWnd nowhere; // no window to create a child in
    auto* lost = new CSolidControl(&view, &nowhere, 1, {100, 100, 200, 200}, 0);
    auto* lostButton = new CButtonControl(&view, &nowhere, 2, {0, 0, 10, 10}, nullptr, 0, 0);
    SetModalResponder({});
    EXPECT_EQ(asked,
              (std::vector<std::string>{"Could not create CWndControl", "Could not create CButtonControl"}));
    ASSERT_TRUE(view.AddControl(lost));
    ASSERT_TRUE(view.AddControl(lostButton));
    EXPECT_EQ(lost->GetWindow(), nullptr);
    EXPECT_FALSE(lostButton->Enable(false));
    Settle();
    EXPECT_EQ(lost->GetRect(), (RECT{50, 50, 100, 100})) << "laid out all the same";
    view.SetHotControl(lostButton);
    EXPECT_EQ(lost->m_draws, 0);
    EXPECT_EQ(view.FindControlByWindow(nullptr), nullptr);
}
