#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <utility>

// The scaler on pictures whose rows and columns differ. Output pixel j of stored row i weighs the samples
// at column (j + dx) * w / W and stored row (i + dy) * h / H: 500 in the centre, 106 on an edge, 7 in a
// corner. No colour here is near black, so the values do not depend on how dark samples are weighed.
namespace {
constexpr COLORREF white = RGB(255, 255, 255);

// Pixel j of stored row i, stored row 0 being the bottom row of the picture.
COLORREF Stored(const CDIB& dib, int j, int i) {
    return At(dib, j, dib.GetHeight() - 1 - i);
}

// The weighted mean of the samples, channel by channel, truncated.
COLORREF Mean(std::initializer_list<std::pair<int, COLORREF>> samples) {
    int red = 0, green = 0, blue = 0, total = 0;
    for (auto [weight, colour] : samples) {
        red += weight * GetRValue(colour), green += weight * GetGValue(colour);
        blue += weight * GetBValue(colour), total += weight;
    }
    return RGB(BYTE(red / total), BYTE(green / total), BYTE(blue / total));
}

COLORREF Swapped(COLORREF c) {
    return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
}

// Stored row r of the ramp.
COLORREF Ramp(int r) {
    return RGB(BYTE(4 * r * r + 30), 60, BYTE(230 - 4 * r * r));
}

// Cells of one pixel, colour a where column + stored row is even.
constexpr COLORREF a = RGB(220, 40, 90), b = RGB(30, 160, 250);

// The same picture as 24-bit rows and as 8-bit rows on a 256-entry table whose entry n is colours[n].
struct Source {
    CDIB rgb, indexed;
};
bool MakeSource(Source& s, const TempDir& dir, int width, int height, const std::vector<COLORREF>& colours,
                int (*index)(int column, int storedRow)) {
    BmpLayout layout{width, height, 8, BI_RGB, 0, 40, std::vector<RGBQUAD>(256), {}};
    for (std::size_t n = 0; n < colours.size(); ++n)
        layout.table[n] = {GetBValue(colours[n]), GetGValue(colours[n]), GetRValue(colours[n]), 0};
    s.rgb.Create(width, height, 24);
    for (int r = 0; r < height; ++r) {
        std::string row(CDIB::StrideOf(width, 8), '\0');
        for (int x = 0; x < width; ++x) {
            row[x] = char(index(x, r));
            Put(s.rgb, x, height - 1 - r, colours[index(x, r)]);
        }
        layout.rows += row;
    }
    return s.indexed.Load(dir.Write("source.bmp", MakeBmp(layout)));
}
} // namespace

TEST(DIBScaler, AVerticalRampSamplesEveryOtherStoredRow) {
    // 3 x 8 to 3 x 4: stored rows 0, 2, 4, 6 are sampled, columns one for one. A neighbourhood column weighs
    // 7 + 106 + 7 = 120 off the centre row and 106 + 500 + 106 = 712 on it.
    TempDir dir;
    Source source;
    ASSERT_TRUE(MakeSource(source, dir, 3, 8,
                           {Ramp(0), Ramp(1), Ramp(2), Ramp(3), Ramp(4), Ramp(5), Ramp(6), Ramp(7)},
                           [](int, int r) { return r; }));
    auto fromRgb = source.rgb.CreateScaled(3, 4, 0, nullptr);
    auto fromTable = source.indexed.CreateScaled(3, 4, 0, nullptr);
    ASSERT_TRUE(fromRgb && fromTable);
    const struct {
        int j, i;
        COLORREF colour;
    } cases[] = {
        {1, 1, Mean({{120, Ramp(0)}, {712, Ramp(2)}, {120, Ramp(4)}})}, // RGB(50, 60, 209)
        {1, 2, Mean({{120, Ramp(2)}, {712, Ramp(4)}, {120, Ramp(6)}})}, // RGB(98, 60, 161)
        // On the border the neighbourhood is clipped: 106 + 500 = 606 and 7 + 106 = 113 at a side edge.
        {0, 0, Mean({{606, Ramp(0)}, {113, Ramp(2)}})}, // RGB(32, 60, 227)
        {1, 3, Mean({{120, Ramp(4)}, {712, Ramp(6)}})}, // RGB(162, 60, 97)
        {2, 3, Mean({{113, Ramp(4)}, {606, Ramp(6)}})}, // RGB(161, 60, 98)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Stored(*fromRgb, c.j, c.i), c.colour) << c.j << "," << c.i;
        const bool border = c.j == 0 || c.j == 2 || c.i == 0 || c.i == 3;
        EXPECT_EQ(Stored(*fromTable, c.j, c.i), border ? white : c.colour) << c.j << "," << c.i;
    }
}

TEST(DIBScaler, ACheckerboardShowsWhichSourcePixelsAreSampled) {
    // 6 x 6 to 4 x 4 samples columns and stored rows 0, 1, 3, 4, whose parities are even, odd, odd, even.
    // Inside, a has the centre, two edges and two corners (726) and b the rest (226); at a corner of the
    // result a has the centre and a corner (507) against b's two edges; on a side b has the centre.
    TempDir dir;
    Source source;
    ASSERT_TRUE(MakeSource(source, dir, 6, 6, {a, b}, [](int x, int r) { return (x + r) % 2; }));
    const COLORREF inside = Mean({{726, a}, {226, b}}); // RGB(174, 68, 127)
    const COLORREF corner = Mean({{507, a}, {212, b}}); // RGB(163, 75, 137)
    const COLORREF edge = Mean({{219, a}, {613, b}});   // RGB(80, 128, 207)
    const COLORREF expected[4][4] = {{corner, edge, edge, corner},
                                     {edge, inside, inside, edge},
                                     {edge, inside, inside, edge},
                                     {corner, edge, edge, corner}};
    auto fromRgb = source.rgb.CreateScaled(4, 4, 0, nullptr);
    auto fromTable = source.indexed.CreateScaled(4, 4, 0, nullptr);
    // A true-colour source onto a palette: each result is the exact entry, never its red-blue swap.
    const std::vector<COLORREF> entries = {Swapped(inside), inside,        Swapped(corner),
                                           corner,          Swapped(edge), edge};
    auto palette = MakePalette(entries);
    auto onPalette = source.rgb.CreateScaled(4, 4, 8, palette.get());
    ASSERT_TRUE(fromRgb && fromTable && onPalette);
    ASSERT_EQ(onPalette->BitCount(), 8);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const COLORREF colour = expected[i][j];
            const bool border = j == 0 || j == 3 || i == 0 || i == 3;
            EXPECT_EQ(Stored(*fromRgb, j, i), colour) << j << "," << i;
            EXPECT_EQ(Stored(*fromTable, j, i), border ? white : colour) << j << "," << i;
            EXPECT_EQ(entries.at(Stored(*onPalette, j, i)), colour) << j << "," << i;
        }
}
