#include "composition/FlatPictureSize.h"

#include <gtest/gtest.h>

TEST(FlatPictureSize, KeepsTheAreasProportionsAtTheLargestPicturesResolutionWithinTheBound) {
    const SIZE area{569, 421};
    const struct {
        const char* what;
        std::vector<LayerExtent> layers;
        SIZE expected;
    } cases[] = {
        {"no layers: one pixel a unit", {}, {569, 421}},
        {"a background covering the area at two pixels a unit", {{1138, 842, 569, 421}}, {1138, 842}},
        // Not the largest width and the largest height apart (300 x 260), but the 300 x 200 picture's
        // resolution, 300 / 166 pixels a unit, on the whole area.
        {"two layers at their first size", {{300, 200, 166, 111}, {120, 260, 66, 144}}, {1028, 761}},
        {"a mirrored layer counts as it is", {{300, 200, -166, -111}}, {1028, 761}},
        {"a picture shown larger than it is: no fewer pixels than units", {{200, 100, 400, 200}}, {569, 421}},
        {"a squeezed picture is bounded", {{8000, 6000, 100, 75}}, {4096, 3031}},
        {"of two as large, the denser decides", {{400, 300, 400, 300}, {300, 400, 150, 200}}, {1138, 842}},
        {"a slot of no size or an empty picture is passed over",
         {{900, 900, 0, 10}, {0, 0, 1, 1}},
         {569, 421}},
    };
    for (const auto& c : cases) {
        const SIZE size = FlatPictureSize(c.layers, area);
        EXPECT_EQ(size.cx, c.expected.cx) << c.what;
        EXPECT_EQ(size.cy, c.expected.cy) << c.what;
    }
    const SIZE none = FlatPictureSize({{300, 200, 166, 111}}, {0, 421});
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 0);
}
