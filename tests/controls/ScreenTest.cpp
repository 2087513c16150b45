#include "support/ControlTestKit.h"

#include "app/ScreenLayout.h"
#include "controls/ButtonControl.h"
#include "imaging/DIB.h"
#include "support/TempDir.h"

#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// The first dozen buttons of the editor screen, where the editor puts them.
std::vector<ScreenPlace> Dozen() {
    std::vector<ScreenPlace> buttons;
    for (const ScreenPlace& place : SCREEN_LAYOUT)
        if (place.id <= IDC_HELP)
            buttons.push_back(place);
    return buttons;
}

// The picture's name in the data folder.
std::string NameOf(const ScreenPlace& place) {
    return std::filesystem::path(place.picture).filename().string();
}

// Builds the screen as the editor view does: background, its palette (a 24-bit picture has none), then
// each button with its state picture, the toggles marked after loading.
void BuildScreen(CTestView& view, const std::string& background,
                 const std::function<std::string(const ScreenPlace&)>& pictureOf) {
    ASSERT_TRUE(view.SetBackground(background.c_str()));
    view.SetPalette(view.GetBackground());
    for (const ScreenPlace& place : Dozen()) {
        const std::uint32_t flags = place.kind == ScreenKind::Toggle ? std::uint32_t(CTL_TOGGLE) : 0u;
        auto* button = new CButtonControl(&view, &view, place.id, place.rect, nullptr, flags, 0);
        ASSERT_TRUE(view.AddControl(button));
        ASSERT_TRUE(button->SetImageFromFile(pictureOf(place).c_str())) << place.picture;
    }
    view.SetMinTrackSize(210, 210);
}

CButtonControl* Button(CTestView& view, int id) {
    return dynamic_cast<CButtonControl*>(view.FindControl(id));
}

QPoint CentreInView(CTestView& view, int id) {
    const RECT& r = view.FindControl(id)->GetRect();
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
} // namespace

TEST(ControlScreen, ADozenButtonsOnABackgroundFollowResizingHoverAndClicks) {
    TempDir dir;
    CTestView view(DESIGN_WIDTH, DESIGN_HEIGHT);
    BuildScreen(view, WriteBandPicture(dir.Join("Backg.BMP"), 788, 552), [&](const ScreenPlace& place) {
        return WriteBandPicture(dir.Join(NameOf(place)), place.rect.Width(), 4 * place.rect.Height());
    });
    Settle();
    ASSERT_EQ(view.GetControlCount(), 12);
    EXPECT_EQ(view.GetReferenceSize().cy, 552) << "the background picture is the design screen";

    for (const double scale : {0.5, 1.5}) {
        const int width = int(788 * scale), height = int(552 * scale);
        view.MoveWindow(0, 0, width, height);
        Settle();
        EXPECT_DOUBLE_EQ(view.GetScaleX(), scale);
        EXPECT_DOUBLE_EQ(view.GetScaleY(), scale);
        for (const ScreenPlace& place : Dozen()) {
            CButtonControl* button = Button(view, place.id);
            const RECT expected = {LONG(place.rect.left * scale), LONG(place.rect.top * scale),
                                   LONG(place.rect.right * scale), LONG(place.rect.bottom * scale)};
            const QRect g = WidgetOf(button)->geometry();
            EXPECT_EQ((RECT{g.left(), g.top(), g.right() + 1, g.bottom() + 1}), expected) << place.id;
            EXPECT_EQ(CentreOf(button), kBandColour[2]) << place.id << " shows its normal band";
        }
        // The background is stretched over the whole view: its top band at the top, its bottom band below.
        EXPECT_EQ(PixelOf(&view, width * 300 / 788, 3), kBandColour[3]);
        EXPECT_EQ(PixelOf(&view, width * 300 / 788, height - 3), kBandColour[0]);
    }

    QWidget* top = WidgetOf(&view);
    QTest::mouseMove(top, CentreInView(view, 100005));
    QTest::mouseMove(top, CentreInView(view, 100006));
    Settle();
    EXPECT_EQ(CountHot(view), 1);
    EXPECT_EQ(view.GetHotControl(), Button(view, 100006));
    EXPECT_EQ(CentreOf(Button(view, 100006)), kBandColour[1]);
    EXPECT_EQ(CentreOf(Button(view, 100005)), kBandColour[2]);
    QTest::mouseMove(top, QPoint(400, 5));
    Settle();
    EXPECT_EQ(CountHot(view), 0);
    EXPECT_EQ(CentreOf(Button(view, 100006)), kBandColour[2]);

    QTest::mouseClick(top, Qt::LeftButton, {}, CentreInView(view, 100008));
    QTest::mouseClick(top, Qt::LeftButton, {}, CentreInView(view, 100000), 1000);
    Settle();
    EXPECT_EQ(view.m_commands, (std::vector<int>{100008, 100000}));
    EXPECT_TRUE(Button(view, 100008)->GetFlags() & CTL_ON);
    EXPECT_EQ(CentreOf(Button(view, 100008)), kBandColour[0]) << "a toggle that is on shows band 0";
    EXPECT_FALSE(Button(view, 100000)->GetFlags() & CTL_ON);
}

// Draws the demonstration screen into the PNG file named by QUIMBLE_DEMO_SHOT, with the pictures of the
// data folder when QUIMBLE_RES_DIR has them; QUIMBLE_DEMO_WAIT keeps it on the display that many ms.
TEST(ControlScreen, Demonstration) {
    const char* shot = std::getenv("QUIMBLE_DEMO_SHOT");
    if (!shot)
        GTEST_SKIP() << "set QUIMBLE_DEMO_SHOT=file.png to draw the demonstration screen";
    TempDir dir;
    const char* resEnv = std::getenv("QUIMBLE_RES_DIR");
    const std::string res = resEnv ? resEnv : "";
    const bool fromRes = !res.empty() && std::filesystem::exists(res + "/Backg.BMP");
    CTestView view(DESIGN_WIDTH, DESIGN_HEIGHT);
    BuildScreen(view, fromRes ? res + "/Backg.BMP" : WriteBandPicture(dir.Join("Backg.BMP"), 788, 552),
                [&](const ScreenPlace& place) {
                    return fromRes ? res + "/" + NameOf(place)
                                   : WriteBandPicture(dir.Join(NameOf(place)), place.rect.Width(),
                                                      4 * place.rect.Height());
                });
    Settle();
    view.MoveWindow(0, 0, 900, 640);
    Settle();
    QWidget* top = WidgetOf(&view);
    QTest::mouseClick(top, Qt::LeftButton, {}, CentreInView(view, 100009));
    Button(view, 100003)->Enable(false);
    QTest::mouseMove(top, CentreInView(view, 100006));
    Settle();
    EXPECT_TRUE(top->grab().save(shot));
    if (const char* wait = std::getenv("QUIMBLE_DEMO_WAIT"))
        QTest::qWait(std::atoi(wait));
}
