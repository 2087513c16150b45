#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

// Colour tables with colours whose red and blue differ, so that a table or a pixel read with the two
// swapped shows other colours. Qt reads the written files as a second opinion.
namespace {
constexpr COLORREF orange = RGB(240, 120, 10), navy = RGB(20, 30, 150), teal = RGB(10, 170, 160);

QRgb QtColour(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

std::vector<BYTE> TableBytes(const CDIB& dib, int entries) {
    const BYTE* table = dib.GetBlock() + dib.GetHeader()->biSize;
    return {table, table + 4 * entries};
}

// How a written file looks to Qt, pixel by pixel along its top row.
std::vector<QRgb> TopRowInQt(CDIB& dib, const TempDir& dir) {
    EXPECT_TRUE(dib.Save(dir.Join("shown.bmp")));
    QImage image(QString::fromStdString(dir.Join("shown.bmp")));
    std::vector<QRgb> row;
    for (int x = 0; x < image.width(); ++x)
        row.push_back(image.pixel(x, 0) | 0xFF000000);
    return row;
}
} // namespace

TEST(DIBColourTable, CreateStoresBlueGreenRedAndCreatePaletteReadsRedGreenBlue) {
    TempDir dir;
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 1, 8, MakePalette({orange, navy, teal}).get()));
    EXPECT_EQ(dib.GetHeader()->biClrUsed, 3u);
    EXPECT_EQ(TableBytes(dib, 3), (std::vector<BYTE>{10, 120, 240, 0, 150, 30, 20, 0, 160, 170, 10, 0}));
    for (int x = 0; x < 3; ++x)
        Put(dib, x, 0, RGB(0, 0, x)); // index x
    EXPECT_EQ(TopRowInQt(dib, dir), (std::vector<QRgb>{QtColour(orange), QtColour(navy), QtColour(teal)}));

    // A table written by hand, read back into a palette.
    BmpLayout layout{1, 1, 8, BI_RGB, 2, 40, {{10, 120, 240, 0}, {150, 30, 20, 0}}, std::string(4, '\0')};
    CDIB loaded;
    ASSERT_TRUE(loaded.Load(dir.Write("table.bmp", MakeBmp(layout))));
    CPalette palette;
    ASSERT_TRUE(loaded.CreatePalette(&palette));
    ASSERT_EQ(palette.GetEntryCount(), 2);
    PALETTEENTRY entries[2];
    palette.GetPaletteEntries(0, 2, entries);
    EXPECT_EQ(RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue), orange);
    EXPECT_EQ(RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue), navy);
}

TEST(DIBColourTable, RemappingPicksTheNearestEntryByRedGreenAndBlue) {
    // Near orange, navy and teal; orange read with red and blue swapped would be nearest entry 0.
    const COLORREF pixels[3] = {RGB(250, 110, 0), RGB(0, 20, 160), RGB(0, 180, 150)};
    auto palette = MakePalette({RGB(10, 120, 240), navy, orange, teal});
    TempDir dir;

    // An 8-bit picture whose table holds the three colours, and the same picture in true colour.
    BmpLayout layout{3, 1, 8, BI_RGB, 0, 40, std::vector<RGBQUAD>(256), std::string("\0\1\2\0", 4)};
    for (int n = 0; n < 3; ++n)
        layout.table[n] = {GetBValue(pixels[n]), GetGValue(pixels[n]), GetRValue(pixels[n]), 0};
    CDIB indexed, rgb;
    ASSERT_TRUE(indexed.Load(dir.Write("indexed.bmp", MakeBmp(layout))));
    ASSERT_TRUE(rgb.Create(3, 1, 24));
    for (int x = 0; x < 3; ++x)
        Put(rgb, x, 0, pixels[x]);

    ASSERT_TRUE(indexed.MapToPalette(palette.get()));
    ASSERT_TRUE(rgb.ConvertTo8Bit(palette.get()));
    for (CDIB* dib : {&indexed, &rgb}) {
        EXPECT_EQ(std::vector<COLORREF>({At(*dib, 0, 0), At(*dib, 1, 0), At(*dib, 2, 0)}),
                  (std::vector<COLORREF>{2, 1, 3}));
        EXPECT_EQ(dib->GetHeader()->biClrUsed, 4u);
        EXPECT_EQ(TableBytes(*dib, 2), (std::vector<BYTE>{240, 120, 10, 0, 150, 30, 20, 0}));
        EXPECT_EQ(TopRowInQt(*dib, dir),
                  (std::vector<QRgb>{QtColour(orange), QtColour(navy), QtColour(teal)}));
    }
}

TEST(DIBColourTable, TheScalerReadsTheTableAsBlueGreenRed) {
    // A uniform 8-bit picture of table entry 7; its thumbnail's inside is that colour.
    BmpLayout layout{5, 4, 8, BI_RGB, 0, 40, std::vector<RGBQUAD>(256), std::string(8 * 4, '\7')};
    layout.table[7] = {GetBValue(orange), GetGValue(orange), GetRValue(orange), 0};
    TempDir dir;
    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Write("uniform.bmp", MakeBmp(layout))));
    auto rgb = dib.CreateScaled(4, 3, 0, nullptr);
    auto indexed = dib.CreateScaled(4, 3, 8, MakePalette({RGB(10, 120, 240), orange}).get());
    ASSERT_TRUE(rgb && indexed);
    EXPECT_EQ(At(*rgb, 1, 1), orange);
    EXPECT_EQ(At(*rgb, 2, 1), orange);
    EXPECT_EQ(At(*indexed, 1, 1), 1u);
    EXPECT_EQ(At(*indexed, 2, 1), 1u);
}
