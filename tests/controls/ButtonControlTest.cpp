#include "support/ControlTestKit.h"

#include "controls/ButtonControl.h"
#include "controls/ControlEvent.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "support/TempDir.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// A view at the design size (scale 1) with one 40 x 20 button showing a 40 x 80 state picture, so that
// every band lands on the button pixel for pixel.
struct ButtonScreen {
    explicit ButtonScreen(std::uint32_t flags = 0) : view(DESIGN_WIDTH, DESIGN_HEIGHT) {
        picture = WriteBandPicture(dir.Join("bstate.bmp"), 40, 80);
        other = WriteBandPicture(dir.Join("bother.bmp"), 40, 80);
        button = new CButtonControl(&view, &view, 100008, {10, 10, 50, 30}, nullptr, flags, 0);
        view.AddControl(button);
        button->SetImageFromFile(picture.c_str());
        Settle();
    }
    QPoint Centre() const { return QPoint(20, 10); }
    QWidget* Widget() const { return WidgetOf(button); }

    TempDir dir;
    std::string picture, other;
    CTestView view;
    CButtonControl* button;
};
} // namespace

TEST(ButtonControl, ShowsTheBandOfItsStateOnItsOwnSurface) {
    ButtonScreen s;
    EXPECT_EQ(CentreOf(s.button), kBandColour[2]);
    EXPECT_TRUE(s.button->GetFlags() & CTL_ENABLED);

    QTest::mousePress(s.Widget(), Qt::LeftButton, {}, s.Centre());
    Settle();
    EXPECT_TRUE(s.button->GetFlags() & CTL_PRESSED);
    EXPECT_EQ(CentreOf(s.button), kBandColour[0]) << "held down";
    QTest::mouseRelease(s.Widget(), Qt::LeftButton, {}, s.Centre());
    Settle();
    EXPECT_NE(CentreOf(s.button), kBandColour[0]);

    s.view.SetHotControl(s.button);
    EXPECT_EQ(CentreOf(s.button), kBandColour[1]) << "hot";

    s.button->Enable(false);
    Settle();
    EXPECT_TRUE(s.button->GetFlags() & CTL_DISABLED);
    EXPECT_EQ(CentreOf(s.button), kBandColour[3]) << "disabled beats hot";
}

TEST(ButtonControl, AToggleClickedTwiceIsOffAgainAndEachClickSendsOneCommand) {
    ButtonScreen s(CTL_TOGGLE);
    QTest::mouseClick(s.Widget(), Qt::LeftButton, {}, s.Centre());
    Settle();
    EXPECT_TRUE(s.button->GetFlags() & CTL_ON);
    EXPECT_EQ(CentreOf(s.button), kBandColour[0]) << "shown on at once, not when the pointer leaves";
    s.view.SetHotControl(s.button);
    EXPECT_EQ(CentreOf(s.button), kBandColour[0]) << "on beats hot";
    s.button->Enable(false);
    Settle();
    EXPECT_EQ(CentreOf(s.button), kBandColour[3]) << "disabled beats on";
    s.button->Enable(true);
    Settle();
    QTest::mouseClick(s.Widget(), Qt::LeftButton, {}, s.Centre(), 1000);
    Settle();
    EXPECT_FALSE(s.button->GetFlags() & CTL_ON);
    EXPECT_EQ(s.view.m_commands, (std::vector<int>{100008, 100008}));
}

TEST(ButtonControl, ADoubleClickSendsTwoCommands) {
    ButtonScreen s;
    QTest::mouseDClick(s.Widget(), Qt::LeftButton, {}, s.Centre());
    Settle();
    EXPECT_EQ(s.view.m_commands, (std::vector<int>{100008, 100008}));
}

TEST(ButtonControl, HoldsExactlyOneReferenceToItsPicture) {
    ButtonScreen s;
    CDIB* first = s.button->GetImage();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRefCount(), 1u);
    EXPECT_TRUE(s.button->SetImageFromFile(s.picture.c_str()));
    EXPECT_EQ(s.button->GetImage(), first);
    EXPECT_EQ(first->GetRefCount(), 1u) << "the same picture again keeps one reference";
    EXPECT_EQ((s.button->GetFlags() & CTL_SHOW_STATES), CTL_SHOW_STATES);

    // Someone else holds the first picture too: switching gives back only the button's reference.
    CDIBRef held = s.view.GetDIB(s.picture.c_str(), true);
    ASSERT_EQ(held.get(), first);
    EXPECT_TRUE(s.button->SetImageFromFile(s.other.c_str()));
    EXPECT_EQ(first->GetRefCount(), 1u);
    EXPECT_EQ(s.button->GetImage()->GetRefCount(), 1u);

    CDIB* second = s.button->GetImage();
    EXPECT_FALSE(s.button->SetImageFromFile(s.dir.Join("missing.bmp").c_str()));
    EXPECT_FALSE(s.button->SetImage(nullptr));
    EXPECT_EQ(s.button->GetImage(), second) << "a failed load keeps the picture";

    s.button->ReleaseImage();
    EXPECT_EQ(s.button->GetImage(), nullptr);
    EXPECT_EQ(s.view.GetDIBManager().GetCount(), 1) << "only the first picture, held elsewhere, is left";

    EXPECT_TRUE(s.button->SetImage(MakeBandPicture(8, 8)));
    EXPECT_EQ(s.button->GetImage()->GetRefCount(), 1u) << "the store owns it, the button holds it";
    EXPECT_EQ(s.view.GetDIBManager().GetCount(), 2);
    EXPECT_TRUE(s.button->SetImage(held));
    EXPECT_EQ(first->GetRefCount(), 2u);
    EXPECT_EQ(s.view.GetDIBManager().GetCount(), 1) << "the made picture went with its last holder";
    s.button->ReleaseImage();
    EXPECT_EQ(first->GetRefCount(), 1u);
}

TEST(ButtonControl, StylesAndAButtonWithACaptionIsAPlainButton) {
    CTestView view(200, 100);
    CButtonControl drawn(&view, &view, 1, {0, 0, 10, 10}, "", 0x100, 0x08000000);
    EXPECT_EQ(drawn.GetStyle(), 0x5801000Bu);
    EXPECT_EQ(drawn.GetFlags(), 0x10100u);
    EXPECT_TRUE(drawn.IsOwnerDraw());
    EXPECT_EQ(drawn.GetWindow(), &drawn);

    CButtonControl plain(&view, &view, 2, {0, 0, 10, 10}, "Go", 0, 0);
    EXPECT_EQ(plain.GetStyle(), CONTROL_STYLE_BUTTON);
    EXPECT_FALSE(plain.IsOwnerDraw());
    DRAWITEMSTRUCT item;
    item.itemState = ODS_SELECTED | ODS_HOTLIGHT;
    plain.DrawItem(&item);
    EXPECT_EQ(plain.GetFlags(), 0u);

    CButtonControl orphan(nullptr, &view, 3, {0, 0, 10, 10}, nullptr, 0, 0);
    EXPECT_FALSE(orphan.SetImageFromFile("res/bquit.bmp"));
    EXPECT_FALSE(orphan.SendEvent(3, EVENT_COMMAND, 0, 0, 0, 0));
}
