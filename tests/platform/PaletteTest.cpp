#include "platform/Palette.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<BYTE> Description(const std::vector<PALETTEENTRY>& entries) {
    std::vector<BYTE> block(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(entries.size());
    std::copy(entries.begin(), entries.end(), lp->palPalEntry);
    return block;
}
} // namespace

TEST(Palette, NearestEntryBySquaredDistanceLowestIndexOnTies) {
    auto block =
        Description({{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}, {128, 128, 128, 0}});
    CPalette pal;
    EXPECT_FALSE(pal.IsCreated());
    ASSERT_TRUE(pal.CreatePalette(reinterpret_cast<LOGPALETTE*>(block.data())));
    EXPECT_EQ(pal.GetEntryCount(), 5);
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(250, 10, 0)), 1u) << "duplicate red: the lower index wins";
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(10, 0, 200)), 2u);
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(100, 140, 120)), 4u);
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(100, 140, 120)), 4u) << "cached answer is the same";
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(0, 0, 0)), 0u);
    // (127, 0, 0) is nearer black (127²) than red (128²); (128, 0, 0) is nearer red.
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(127, 0, 0)), 0u);
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(128, 0, 0)), 1u);
    PALETTEENTRY out[8];
    EXPECT_EQ(pal.GetPaletteEntries(3, 8, out), 2u);
    EXPECT_EQ(out[1].peRed, 128);
}

TEST(Palette, CacheNeverConfusesColours) {
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < 256; ++i)
        entries.push_back({BYTE(i), BYTE(255 - i), BYTE(i * 7), 0});
    auto block = Description(entries);
    CPalette pal;
    ASSERT_TRUE(pal.CreatePalette(reinterpret_cast<LOGPALETTE*>(block.data())));
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(pal.GetNearestPaletteIndex(RGB(i, 255 - i, BYTE(i * 7))), UINT(i));
}

TEST(Palette, RefusesEmptyDescriptions) {
    CPalette pal;
    EXPECT_FALSE(pal.CreatePalette(nullptr));
    auto block = Description({});
    EXPECT_FALSE(pal.CreatePalette(reinterpret_cast<LOGPALETTE*>(block.data())));
    EXPECT_FALSE(pal.DeleteObject());
}

TEST(Palette, NearestMatchesAPlainSearchEverywhere) {
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 4; ++round) {
        std::vector<PALETTEENTRY> entries;
        int n = round == 0 ? 2 : round == 1 ? 16 : 256;
        for (int i = 0; i < n; ++i) // coarse values make ties likely
            entries.push_back(
                {BYTE((next() >> 8) & 0xF0), BYTE((next() >> 8) & 0xF0), BYTE((next() >> 8) & 0xF0), 0});
        auto block = Description(entries);
        CPalette pal;
        ASSERT_TRUE(pal.CreatePalette(reinterpret_cast<LOGPALETTE*>(block.data())));
        for (int k = 0; k < 20000; ++k) {
            COLORREF c = next() >> 8 & 0xFFFFFF;
            UINT expected = 0;
            int best = 1 << 30;
            for (int i = 0; i < n; ++i) {
                int dr = entries[i].peRed - GetRValue(c), dg = entries[i].peGreen - GetGValue(c),
                    db = entries[i].peBlue - GetBValue(c);
                if (dr * dr + dg * dg + db * db < best)
                    best = dr * dr + dg * dg + db * db, expected = UINT(i);
            }
            ASSERT_EQ(pal.GetNearestPaletteIndex(c), expected) << "colour " << std::hex << c;
        }
    }
}
