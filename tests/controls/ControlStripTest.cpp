#include "support/ControlTestKit.h"

#include "controls/ControlStrip.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
// A strip that can be given empty entries, as a derived strip may have them.
class CGappedStrip : public CControlStrip {
public:
    using CControlStrip::CControlStrip;
    void AddEmpty() { m_controls.push_back(nullptr); }
};

struct StripCase {
    const char* name;
    std::uint32_t flags;
    std::vector<bool> entries; // false: an empty entry
    std::vector<RECT> cells;   // of the controls, in order
};
} // namespace

// The layer strip's place on the design screen: 182 x 310 at 599, 230; m = 4, g = 3.
TEST(ControlStrip, LaysOutEqualCellsWithPixelGapsAndEmptyEntriesTakeNoRoom) {
    // (310 - 11 x 3) / 10 = 27 high, the first at the top + 3, each next 30 lower; 182 - 2 x 4 wide.
    std::vector<RECT> column, row;
    for (int i = 0; i < 10; ++i)
        column.push_back({603, 233 + 30 * i, 777, 260 + 30 * i});
    // Ten entries, the fourth empty: the cells keep the height of ten, those after it move up.
    const std::vector<RECT> afterGap(column.begin(), column.begin() + 9);
    // A row of three across 182 pixels with gaps of 4: (182 - 16) / 3 = 55 wide, 310 - 6 high.
    for (int i = 0; i < 3; ++i)
        row.push_back({603 + 59 * i, 233, 658 + 59 * i, 537});
    const StripCase cases[] = {
        {"column", CTL_VERTICAL, std::vector<bool>(10, true), column},
        {"column with an empty entry",
         CTL_VERTICAL,
         {true, true, true, false, true, true, true, true, true, true},
         afterGap},
        {"row", 0, {true, true, true}, row},
    };
    for (const StripCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTestView view(DESIGN_WIDTH, DESIGN_HEIGHT);
        std::vector<CSolidControl*> cells;
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            if (!c.entries[i])
                continue;
            cells.push_back(new CSolidControl(&view, &view, 10 + int(i), {0, 0, 5, 5}, RGB(0, 0, 200)));
            view.AddControl(cells.back());
        }
        auto* strip = new CGappedStrip(&view, &view, 100045, {599, 230, 781, 540}, c.flags, 4, 3);
        view.AddControl(strip);
        EXPECT_EQ(strip->GetFlags(), c.flags | CTL_NEVER_HOT | CTL_LAYS_OUT_CHILDREN);
        auto next = cells.begin();
        for (bool entry : c.entries) {
            if (entry)
                EXPECT_TRUE(strip->AddControl(*next++));
            else
                strip->AddEmpty();
        }
        EXPECT_EQ(cells[0]->GetRect(), (RECT{0, 0, 5, 5})) << "no layout before the next rescale";
        view.PaintBackground(nullptr); // fixes the design size: scale 1
        ASSERT_EQ(cells.size(), c.cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i]->GetRect(), c.cells[i]) << i;
            EXPECT_EQ(GeometryOf(cells[i]), c.cells[i]) << i;
        }
    }
}

TEST(ControlStrip, FindsItsEntriesAndForgetsThemWithoutTouchingThem) {
    CTestView view(200, 100);
    auto* a = new CSolidControl(&view, &view, 1, {0, 0, 5, 5}, 0);
    auto* b = new CSolidControl(&view, &view, 2, {0, 0, 5, 5}, 0);
    view.AddControl(a);
    view.AddControl(b);
    auto* strip = new CGappedStrip(&view, &view, 3, {0, 0, 100, 50}, 0, 2, 2);
    view.AddControl(strip);
    EXPECT_FALSE(strip->AddControl(nullptr));
    strip->AddEmpty();
    strip->AddControl(a);
    strip->AddControl(b);
    EXPECT_EQ(a->GetParentControl(), strip);

    int index = -1;
    EXPECT_EQ(strip->FindControl(2, &index), b);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(strip->FindControl(7), nullptr);
    EXPECT_TRUE(strip->IndexOf(a, &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(strip->IndexOf(strip));
    EXPECT_FALSE(strip->IndexOf(nullptr));
    EXPECT_EQ(strip->GetControl(0), nullptr);
    EXPECT_EQ(strip->GetControl(3), nullptr);

    strip->RemoveAllControls();
    EXPECT_EQ(strip->GetCount(), 0);
    EXPECT_EQ(view.FindControl(1), a) << "the manager still holds the controls";
    strip->Rescale(); // places only itself
    EXPECT_EQ(a->GetRect(), (RECT{0, 0, 5, 5}));
}

// The strip has no background of its own: between its cells the view's background shows, as the view
// stretches it, also after a resize; with the plain background it is the view's colour.
TEST(ControlStrip, ShowsTheViewsBackgroundBetweenItsCells) {
    TempDir dir;
    CTestView view(788, 552);
    ASSERT_TRUE(view.SetBackground(WriteBandPicture(dir.Join("Backg.BMP"), 788, 552).c_str()));
    auto* strip = new CControlStrip(&view, &view, 100045, {599, 230, 781, 540}, CTL_VERTICAL, 4, 3);
    view.AddControl(strip);
    Settle();
    // Rows 138 to 275 of the picture are band 2, rows 414 to 551 band 0.
    EXPECT_EQ(PixelOf(strip, 1, 10), kBandColour[2]);
    EXPECT_EQ(PixelOf(strip, 1, 300), kBandColour[0]);
    view.MoveWindow(0, 0, 1576, 1104);
    Settle();
    EXPECT_EQ(GeometryOf(strip), (RECT{1198, 460, 1562, 1080}));
    EXPECT_EQ(PixelOf(strip, 1, 20), kBandColour[2]);
    EXPECT_EQ(PixelOf(strip, 1, 600), kBandColour[0]);

    view.SetBackground(nullptr);
    strip->Invalidate();
    Settle();
    EXPECT_EQ(PixelOf(strip, 1, 20), view.GetBackgroundColour());
}
