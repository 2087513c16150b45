#include "composition/TextPlacement.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {
// Whether all four corners of place lie within the oval of radii a, b around middle.
bool InsideOval(const SlotPlacement& p, POINT middle, double a, double b) {
    for (const double x : {double(p.x), double(p.x) + p.width})
        for (const double y : {double(p.y), double(p.y) + p.height})
            if (std::hypot((x - middle.x) / a, (y - middle.y) / b) > 1.001)
                return false;
    return true;
}
} // namespace

// A text onto a picture: at the usual 5/9 of its pixels when it fits, else smaller in its proportions until
// it fits the oval around the covered area's middle (the nearer edges decide, as a balloon's tail makes the
// box reach further on one side); always centred on that middle.
TEST(TextPlacement, ATextOnAPictureIsCentredOnItsMiddleAndFitsTheOvalItHolds) {
    const struct {
        const char* name;
        CTextPlacement::Covered covered;
        SIZE pixels;
        bool atDefaultScale;
    } rows[] = {
        {"small text, large balloon", {{0, 0, 400, 300}, {200, 150}}, {90, 36}, true},
        {"wide text", {{0, 0, 400, 300}, {200, 150}}, {900, 36}, false},
        {"tall text", {{0, 0, 400, 300}, {200, 150}}, {90, 900}, false},
        {"balloon with a tail below", {{100, 50, 300, 250}, {200, 110}}, {200, 120}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const SlotPlacement p = CTextPlacement::OnPicture(row.covered, row.pixels);
        const POINT m = row.covered.middle;
        EXPECT_LE(std::abs(p.x + p.width / 2 - m.x), 1);
        EXPECT_LE(std::abs(p.y + p.height / 2 - m.y), 1);
        const double a = std::min(m.x - row.covered.box.left, row.covered.box.right - m.x);
        const double b = std::min(m.y - row.covered.box.top, row.covered.box.bottom - m.y);
        if (row.atDefaultScale) {
            EXPECT_EQ(p.width, std::lround(row.pixels.cx * 5.0 / 9));
            EXPECT_EQ(p.height, std::lround(row.pixels.cy * 5.0 / 9));
        } else {
            EXPECT_TRUE(InsideOval(p, m, a, b));
            EXPECT_NEAR(double(p.width) / p.height, double(row.pixels.cx) / row.pixels.cy,
                        0.05 * row.pixels.cx / row.pixels.cy + 1.0 / p.height)
                << "in its proportions";
        }
    }
    // Wrapped to what fits across the oval, and never to a few letters.
    EXPECT_GT(CTextPlacement::WrapWidth({{0, 0, 400, 300}, {200, 150}}), 400);
    EXPECT_EQ(CTextPlacement::WrapWidth({{0, 0, 4, 4}, {2, 2}}), 80);
}

// A changed text keeps its middle and the scale the user gave it, so the same size of picture comes back at
// exactly the same place; mirrored stays mirrored.
TEST(TextPlacement, AChangedTextKeepsItsMiddleAndScale) {
    const struct {
        SlotPlacement old;
        SIZE oldPixels, pixels;
        SlotPlacement expected;
    } rows[] = {
        {{10, 20, 100, 40}, {180, 72}, {180, 72}, {10, 20, 100, 40}},
        {{10, 20, 100, 40}, {100, 40}, {200, 40}, {-40, 20, 200, 40}},
        {{100, 20, -50, 30}, {100, 60}, {200, 60}, {125, 20, -100, 30}},
    };
    for (const auto& row : rows) {
        const SlotPlacement p = CTextPlacement::InPlaceOf(row.old, row.oldPixels, row.pixels);
        EXPECT_EQ((RECT{p.x, p.y, p.width, p.height}),
                  (RECT{row.expected.x, row.expected.y, row.expected.width, row.expected.height}));
    }
}
