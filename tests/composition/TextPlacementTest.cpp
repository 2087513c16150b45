#include "composition/TextPlacement.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

// A text onto a picture: at the usual 5/9 of its pixels when it fits, else smaller in its proportions until
// its corners reach no further than the oval around the covered area's middle (the nearer edges decide, as
// a balloon's tail makes the box reach further on one side); always centred on that middle.
TEST(TextPlacement, ATextOnAPictureIsCentredOnItsMiddleAndFitsTheOvalItHolds) {
    const struct {
        CTextPlacement::Covered covered;
        SIZE pixels;
        bool atDefaultScale;
    } rows[] = {
        {{{0, 0, 400, 300}, {200, 150}}, {90, 36}, true},
        {{{0, 0, 400, 300}, {200, 150}}, {900, 36}, false},
        {{{0, 0, 400, 300}, {200, 150}}, {90, 900}, false},
        {{{100, 50, 300, 250}, {200, 110}}, {400, 240}, false}, // a tail below
    };
    for (const auto& [covered, pixels, atDefaultScale] : rows) {
        const SlotPlacement p = CTextPlacement::OnPicture(covered, pixels);
        const POINT m = covered.middle;
        EXPECT_LE(std::abs(p.x + p.width / 2 - m.x), 1);
        EXPECT_LE(std::abs(p.y + p.height / 2 - m.y), 1);
        const double a = std::min(m.x - covered.box.left, covered.box.right - m.x);
        const double b = std::min(m.y - covered.box.top, covered.box.bottom - m.y);
        const double reach = std::hypot(p.width / 2.0 / a, p.height / 2.0 / b);
        if (atDefaultScale)
            EXPECT_EQ(p.width, std::lround(pixels.cx * 5.0 / 9));
        else
            EXPECT_NEAR(reach, 0.85, 0.02) << "as large as fits";
        EXPECT_NEAR(double(p.width) / p.height, double(pixels.cx) / pixels.cy,
                    0.05 * pixels.cx / pixels.cy + 1.0 / p.height);
    }
    // Wrapped to what fits across the oval, and never to a few letters.
    EXPECT_GT(CTextPlacement::WrapWidth({{0, 0, 400, 300}, {200, 150}}), 400);
    EXPECT_EQ(CTextPlacement::WrapWidth({{0, 0, 4, 4}, {2, 2}}), 80);
}
