// The arithmetic of dragging, the frame's handles and which layer a click takes, without a window.

#include "composition/PickSlotAt.h"
#include "composition/SelectionFrame.h"
#include "composition/SlotDrag.h"
#include "controls/Control.h"
#include "support/Pictures.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
constexpr double scales[] = {0.3, 0.5, 0.8, 1.0, 1.27, 1.6244, 2.43};
constexpr SlotPlacement start{100, 80, 120, 90};

// However small the steps, the layer ends where the pointer's travel says, to the nearest design unit:
// a move is never lost, at any window size.
TEST(SlotDrag, FollowsThePointersTravelInOnePixelStepsAtEveryScale) {
    for (double s : scales) {
        SCOPED_TRACE(s);
        const CSlotDrag body(start, -1), rightEdge(start, 2), leftEdge(start, 0);
        int before = start.x;
        for (LONG travel = -150; travel <= 150; ++travel) {
            const SlotPlacement moved = body.PlaceFor({travel, -travel}, s, s);
            EXPECT_LE(std::abs((moved.x - start.x) * s - travel), s / 2 + 1e-9) << travel;
            EXPECT_EQ(moved.y - start.y, start.x - moved.x);
            EXPECT_EQ(moved.width, start.width);
            if (travel > -150) {
                EXPECT_GE(moved.x, before) << "never back while the pointer goes on";
            }
            before = moved.x;
            // A stretch follows by the same units, each edge handle moving only its own edge.
            const SlotPlacement wider = rightEdge.PlaceFor({travel, 0}, s, s);
            const SlotPlacement fromLeft = leftEdge.PlaceFor({travel, 0}, s, s);
            if (std::abs(start.width + (moved.x - start.x)) >= CSlotDrag::minimumSize) {
                EXPECT_EQ(wider.x, start.x);
                EXPECT_EQ(wider.width - start.width, moved.x - start.x);
            }
            if (std::abs(start.width - (moved.x - start.x)) >= CSlotDrag::minimumSize) {
                EXPECT_EQ(fromLeft.x, moved.x);
                EXPECT_EQ(fromLeft.x + fromLeft.width, start.x + start.width) << "the right edge stays";
            }
        }
    }
}

// A handle shrinks the layer to the minimum at most; past the opposite edge it mirrors, at the minimum at
// least, and that opposite edge stays where it was. Each row is a travel of the design scale.
TEST(SlotDrag, NeverStretchesBelowTheMinimumAndMirrorsPastTheOppositeEdge) {
    constexpr int m = CSlotDrag::minimumSize;
    const struct {
        int handle;
        POINT travel;
        SlotPlacement placement;
    } rows[] = {
        {2, {-100, 0}, {100, 80, 20, 90}},
        {2, {-115, 0}, {100, 80, m, 90}},
        {2, {-120, 0}, {100, 80, m, 90}},
        {2, {-121, 0}, {100, 80, -m, 90}},
        {2, {-200, 0}, {100, 80, -80, 90}},
        {0, {115, 0}, {220 - m, 80, m, 90}},
        {0, {125, 0}, {220 + m, 80, -m, 90}},
        {0, {300, 0}, {400, 80, -180, 90}},
        {3, {0, -89}, {100, 80, 120, m}},
        {4, {119, 89}, {220 - m, 170 - m, m, m}},
        {6, {-1000, -1000}, {100, 80, -880, -910}},
        {-1, {-1000, 5}, {-900, 85, 120, 90}},
        {7, {0, 0}, start},
    };
    for (const auto& row : rows) {
        const SlotPlacement p = CSlotDrag(start, row.handle).PlaceFor(row.travel, 1, 1);
        EXPECT_EQ((RECT{p.x, p.y, p.width, p.height}),
                  (RECT{row.placement.x, row.placement.y, row.placement.width, row.placement.height}))
            << "handle " << row.handle << " by " << row.travel.x << ", " << row.travel.y;
    }
    // A layer placed anywhere by a file is held within the coordinates, not wrapped round.
    const SlotPlacement far = CSlotDrag({2147483000, 0, 100, 100}, 2).PlaceFor({5000, 0}, 1e-6, 1);
    EXPECT_EQ(far.width, 2147483647);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right - 1) / 2, (r.top + r.bottom - 1) / 2};
}

// Each handle sits centred on the pixels of the edge or corner it moves, mirrored or not, at least 9
// pixels and growing with the window; the pointer over it shows the way it stretches.
TEST(SelectionFrame, HandlesSitOnTheirEdgesAtEveryScaleAndMirrored) {
    const SlotPlacement places[] = {start, {220, 80, -120, 90}, {100, 170, 120, -90}, {220, 170, -120, -90}};
    for (double s : scales) {
        for (const SlotPlacement& place : places) {
            SCOPED_TRACE(::testing::Message() << s << ": " << place.width << " x " << place.height);
            const CSelectionFrame frame(place, s, s);
            const RECT& o = frame.GetOutline();
            // Where composing puts the layer's pixels; the edge each handle moves lies at x (or y) when it
            // moves the near edge, else at the far one, and the far one comes first on a mirrored axis.
            const LONG left = CControl::Truncate(std::min(place.x, place.x + place.width) * s);
            const LONG top = CControl::Truncate(std::min(place.y, place.y + place.height) * s);
            EXPECT_EQ(o, (RECT{left, top, left + CControl::Truncate(std::abs(place.width) * s),
                               top + CControl::Truncate(std::abs(place.height) * s)}));
            EXPECT_GE(frame.GetHandleSize(), std::max(9.0, 9 * s - 1));
            EXPECT_EQ(frame.GetHandleSize() % 2, 1) << "a centre pixel";
            const auto edgeX = [&](bool nearEdge) {
                return nearEdge == (place.width > 0) ? o.left : o.right - 1;
            };
            const auto edgeY = [&](bool nearEdge) {
                return nearEdge == (place.height > 0) ? o.top : o.bottom - 1;
            };
            // Each handle's centre: on the edge it moves, or in the middle (-1) along it.
            const LONG rows[8][2] = {{edgeX(true), -1},
                                     {-1, edgeY(true)},
                                     {edgeX(false), -1},
                                     {-1, edgeY(false)},
                                     {edgeX(true), edgeY(true)},
                                     {edgeX(false), edgeY(true)},
                                     {edgeX(false), edgeY(false)},
                                     {edgeX(true), edgeY(false)}};
            for (int i = 0; i < CSelectionFrame::handleCount; ++i) {
                const POINT c = Centre(frame.GetHandle(i));
                EXPECT_EQ(frame.GetHandle(i).Width(), frame.GetHandleSize());
                EXPECT_EQ(c.x, rows[i][0] >= 0 ? rows[i][0] : (o.left + o.right - 1) / 2) << i;
                EXPECT_EQ(c.y, rows[i][1] >= 0 ? rows[i][1] : (o.top + o.bottom - 1) / 2) << i;
                EXPECT_EQ(frame.HandleAt(c), i);
            }
            // The top-left corner of the layer leans the other way when one axis is mirrored.
            const bool turned = (place.width < 0) != (place.height < 0);
            EXPECT_EQ(frame.CursorOf(4), turned ? StandardCursor::sizeNESW : StandardCursor::sizeNWSE);
            EXPECT_EQ(frame.HandleAt(Centre(o)), -1) << "the middle moves the layer";
        }
    }
    const CSelectionFrame frame(start, 1, 1);
    EXPECT_EQ(frame.GetHandle(6), (RECT{215, 165, 224, 174}));
    EXPECT_EQ(frame.HandleAt({225, 175}), 6) << "two pixels around the square";
    EXPECT_EQ(frame.HandleAt({226, 175}), -1);
}

// A layer in front with a white (key) hole, one behind cut out through its alpha companion and mirrored,
// and a hidden one behind both.
TEST(PickSlotAt, TakesTheFrontMostLayerThatShowsUnderThePointer) {
    auto front = SolidPicture(40, 40, RGB(200, 0, 0));
    const RECT hole{10, 10, 20, 20};
    front->Fill(0xFFFFFF, &hole);
    auto back = SolidPicture(100, 50, RGB(0, 0, 200));
    auto alpha = SolidAlpha(100, 50, 255);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 20; ++x)
            alpha->GetBits()[std::size_t(y) * alpha->GetStride() + x] = 0; // left fifth transparent
    back->SetAlpha(std::move(alpha));
    auto hidden = SolidPicture(200, 200, RGB(0, 200, 0));
    std::vector<std::unique_ptr<CDIBSlot>> slots;
    for (CDIB* picture : {front.get(), back.get(), hidden.get()}) {
        slots.push_back(std::make_unique<CDIBSlot>());
        ASSERT_TRUE(slots.back()->CreateFromLayerDib(picture, std::uint32_t(slots.size())));
        slots.back()->m_visible = 1;
    }
    // The front one covers 10..50 x 10..50, its hole 20..30 x 20..30 at the scale 1; the back one, mirrored,
    // 0..100 x 0..50, transparent on its right fifth (80..100).
    slots[0]->m_x = slots[0]->m_y = 10, slots[0]->m_width = slots[0]->m_height = 40;
    slots[1]->m_x = 100, slots[1]->m_y = 0, slots[1]->m_width = -100, slots[1]->m_height = 50;
    slots[1]->SetMirrorHorizontal(1);
    slots[2]->m_visible = 0;
    const struct {
        POINT p;
        double s;
        int selected; // index, or -1
        int taken;    // index, or -1
    } rows[] = {
        {{12, 12}, 1, -1, 0},  {{25, 25}, 1, -1, 1}, {{49, 49}, 1, -1, 0}, {{50, 49}, 1, -1, 1},
        {{85, 10}, 1, -1, -1}, {{79, 10}, 1, -1, 1}, {{5, 10}, 1, -1, 1},  {{150, 150}, 1, -1, -1},
        {{85, 10}, 1, 1, 1},   {{25, 25}, 1, 0, 0},  {{12, 12}, 1, 1, 0},  {{170, 20}, 2, -1, -1},
        {{150, 20}, 2, -1, 1}, {{30, 30}, 2, -1, 0}, {{50, 50}, 2, -1, 1},
    };
    for (const auto& row : rows) {
        const CDIBSlot* selected = row.selected >= 0 ? slots[std::size_t(row.selected)].get() : nullptr;
        const CDIBSlot* taken = PickSlotAt(slots, row.p, row.s, row.s, selected, 0xFFFFFF);
        EXPECT_EQ(taken, row.taken >= 0 ? slots[std::size_t(row.taken)].get() : nullptr)
            << row.p.x << ", " << row.p.y << " at " << row.s << ", selected " << row.selected;
    }
}
} // namespace
