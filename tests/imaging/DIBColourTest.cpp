#include "BmpFixtures.h"
#include "imaging/DIB.h"
#include "platform/DC.h"
#include "support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
COLORREF At(CDIB& dib, int x, int y) {
    dib.BeginPixelAccess();
    const BYTE* p = dib.PixelAddress(x, y);
    dib.EndPixelAccess();
    if (!p)
        return CLR_INVALID;
    if (dib.BitCount() == 8)
        return *p;
    return RGB(p[2], p[1], p[0]);
}

void Put(CDIB& dib, int x, int y, COLORREF colour) {
    const RECT r{x, y, x + 1, y + 1};
    dib.Fill(colour, &r);
}

// Makes an 8-bit picture on the grey ramp whose pixel (x, y) has index (x + 10 y) * 3.
void MakeGrey(CDIB& dib, int width, int height) {
    auto ramp = MakePalette(GreyRamp());
    dib.Create(width, height, 8, ramp.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Put(dib, x, y, COLORREF((x + 10 * y) * 3) << 16);
}
} // namespace

TEST(DIBColour, PaletteFromTheColourTable) {
    CPalette palette;
    CDIB dib;
    EXPECT_FALSE(dib.CreatePalette(&palette));
    dib.Create(2, 2, 24);
    EXPECT_FALSE(dib.CreatePalette(&palette)) << "no table";
    EXPECT_FALSE(palette.IsCreated());
    CDIB grey;
    MakeGrey(grey, 2, 2);
    EXPECT_FALSE(grey.CreatePalette(nullptr));
    ASSERT_TRUE(grey.CreatePalette(&palette));
    EXPECT_EQ(palette.GetEntryCount(), 256);
    PALETTEENTRY e{};
    palette.GetPaletteEntries(77, 1, &e);
    EXPECT_EQ(e.peRed, 77);
    EXPECT_EQ(e.peBlue, 77);
}

TEST(DIBColour, MapToPaletteRemapsByTableAndLaysOutExactlyThePalette) {
    TempDir dir;
    CDIB dib;
    MakeGrey(dib, 5, 2);
    // Sixteen greys 0, 17, 34, ..., 255.
    std::vector<COLORREF> sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen.push_back(RGB(BYTE(17 * i), BYTE(17 * i), BYTE(17 * i)));
    auto small = MakePalette(sixteen);
    ASSERT_TRUE(dib.MapToPalette(small.get()));
    EXPECT_EQ(dib.GetHeader()->biClrUsed, 16u);
    EXPECT_EQ(dib.PaletteSize(), 64u);
    EXPECT_EQ(dib.GetBits() - dib.GetBlock(), 40 + 64) << "rows start where the header says";
    // Pixel (4, 1) was grey 42: nearest is 34, entry 2. Pixel (3, 0) was 9: nearest 17, entry 1.
    EXPECT_EQ(At(dib, 4, 1), 2u);
    EXPECT_EQ(At(dib, 3, 0), 1u);
    ASSERT_TRUE(dib.Save(dir.Join("m.bmp")));
    QImage q(QString::fromStdString(dir.Join("m.bmp")));
    EXPECT_EQ(q.pixel(4, 1) & 0xFFFFFF, 0x222222u);

    CDIB full;
    MakeGrey(full, 5, 2);
    auto inverse = MakePalette([] {
        auto c = GreyRamp();
        std::reverse(c.begin(), c.end());
        return c;
    }());
    ASSERT_TRUE(full.MapToPalette(inverse.get()));
    EXPECT_EQ(full.GetHeader()->biClrUsed, 256u);
    EXPECT_EQ(At(full, 4, 1), 255u - 42);

    // A 4-bit picture becomes an 8-bit one, so indexes beyond 15 fit.
    BmpSpec four;
    four.bits = 4;
    four.width = 3;
    four.height = 1;
    four.table.resize(16);
    four.table[1] = {200, 200, 200, 0};
    four.table[2] = {40, 40, 40, 0};
    four.rows = std::string("\x12\x10\0\0", 4);
    CDIB nibbles;
    ASSERT_TRUE(nibbles.Load(dir.Write("4.bmp", MakeBmp(four))));
    auto ramp = MakePalette(GreyRamp());
    ASSERT_TRUE(nibbles.MapToPalette(ramp.get()));
    EXPECT_EQ(nibbles.BitCount(), 8);
    EXPECT_EQ(At(nibbles, 0, 0), 200u);
    EXPECT_EQ(At(nibbles, 1, 0), 40u);
    EXPECT_EQ(At(nibbles, 2, 0), 200u);

    EXPECT_FALSE(dib.MapToPalette(nullptr));
    EXPECT_FALSE(CDIB().MapToPalette(ramp.get()));
    CPalette none;
    EXPECT_FALSE(dib.MapToPalette(&none));
}

TEST(DIBColour, ConvertTo8BitOnlyTakesTrueColour) {
    auto three = MakePalette({RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 255, 255)});
    CDIB grey;
    MakeGrey(grey, 3, 2);
    const std::string before(reinterpret_cast<const char*>(grey.GetBlock()), grey.GetSize());
    EXPECT_FALSE(grey.ConvertTo8Bit(three.get()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(grey.GetBlock()), grey.GetSize()), before);

    CDIB dib;
    dib.Create(3, 2, 24);
    dib.GetHeader()->biXPelsPerMeter = 2835;
    dib.SetName("kept");
    dib.SetStretchMode(HALFTONE);
    Put(dib, 0, 0, RGB(200, 30, 10));
    Put(dib, 2, 1, RGB(20, 20, 20));
    ASSERT_TRUE(dib.MapToPalette(three.get())) << "true colour goes through ConvertTo8Bit";
    const BITMAPINFOHEADER& h = *dib.GetHeader();
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biClrUsed, 3u);
    EXPECT_EQ(h.biSizeImage, 8u);
    EXPECT_EQ(h.biXPelsPerMeter, 2835);
    EXPECT_EQ(dib.GetSize(), 40u + 12 + 8);
    EXPECT_EQ(dib.GetName(), "kept");
    EXPECT_EQ(dib.GetStretchMode(), HALFTONE);
    EXPECT_EQ(At(dib, 0, 0), 1u);
    EXPECT_EQ(At(dib, 2, 1), 0u);
    EXPECT_EQ(At(dib, 1, 0), 2u);
    EXPECT_EQ(dib.GetBits()[3], 0) << "row padding is zero";
}

TEST(DIBColour, ScalerWeighsNineSamplesOneScaleStepApart) {
    // One row of eight pixels whose blue is the square of the column: output column 1 of a 4-wide copy
    // samples columns 0, 2, 4 (blues 0, 4, 16) with weights 106, 500, 106.
    CDIB line;
    line.Create(8, 1, 24);
    for (int x = 0; x < 8; ++x)
        Put(line, x, 0, RGB(0, 0, BYTE(x * x)));
    auto scaled = line.CreateScaled(4, 1, 0, nullptr);
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(GetBValue(At(*scaled, 1, 0)), (4 * 500 + 16 * 106) / 712);
    EXPECT_EQ(GetBValue(At(*scaled, 0, 0)), (0 * 500 + 4 * 106) / 606) << "the border clips its samples";

    // A bright dot on black: the plain weighted average, however dark the samples around it.
    CDIB dot;
    dot.Create(3, 3, 24);
    dot.Fill(RGB(0, 0, 0));
    Put(dot, 1, 1, RGB(200, 0, 0));
    scaled = dot.CreateScaled(3, 3, 0, nullptr);
    EXPECT_EQ(At(*scaled, 1, 1), RGB(200 * 500 / 952, 0, 0));
    EXPECT_EQ(At(*scaled, 0, 0), RGB(200 * 7 / 719, 0, 0));
    EXPECT_EQ(scaled->GetName(), "");
    EXPECT_EQ(dot.GetWidth(), 3) << "the source stays as it was";
}

TEST(DIBColour, ScalerKeepsUniformColoursAndTheRulesOfEachSource) {
    for (COLORREF colour : {RGB(10, 20, 30), RGB(1, 2, 3)}) {
        CDIB uniform;
        uniform.Create(37, 23, 24);
        uniform.Fill(colour);
        auto scaled = uniform.CreateScaled(100, 75, 0, nullptr);
        ASSERT_NE(scaled, nullptr);
        for (auto [x, y] : {std::pair{0, 0}, {99, 74}, {50, 30}, {0, 74}})
            EXPECT_EQ(At(*scaled, x, y), colour) << x << "," << y;
    }

    // An 8-bit source leaves a white border, in true colour or on a palette.
    auto ramp = MakePalette(GreyRamp());
    CDIB grey;
    grey.Create(40, 30, 8, ramp.get());
    grey.Fill(RGB(0, 0, 60));
    auto rgb = grey.CreateScaled(10, 8, 0, nullptr);
    EXPECT_EQ(rgb->BitCount(), 24);
    auto indexed = grey.CreateScaled(10, 8, 8, ramp.get());
    EXPECT_EQ(indexed->BitCount(), 8);
    EXPECT_EQ(indexed->NumColors(), 256u);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool border = x == 0 || y == 0 || x == 9 || y == 7;
            EXPECT_EQ(At(*rgb, x, y), border ? RGB(255, 255, 255) : RGB(60, 60, 60)) << x << "," << y;
            EXPECT_EQ(At(*indexed, x, y), border ? 255u : 60u) << x << "," << y;
        }
    }

    // Sources the scaler does not read give white; 8 bits without a palette give true colour.
    TempDir dir;
    BmpSpec four;
    four.bits = 4;
    four.width = 8;
    four.height = 2;
    four.table.resize(16);
    four.rows = std::string(8, '\0');
    CDIB nibbles;
    ASSERT_TRUE(nibbles.Load(dir.Write("4.bmp", MakeBmp(four))));
    for (CDIB* source : {&nibbles, new CDIB}) {
        auto white = source->CreateScaled(4, 3, 8, nullptr);
        ASSERT_NE(white, nullptr);
        EXPECT_EQ(white->BitCount(), 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(At(*white, x, y), RGB(255, 255, 255));
        if (source != &nibbles)
            delete source;
    }
    EXPECT_EQ(grey.CreateScaled(0, 75, 0, nullptr), nullptr);
}

TEST(DIBColour, DrawStretchesWithTheImageStretchModeAndCopyFromDeviceKeysOut) {
    QImage surface(6, 4, QImage::Format_RGB32);
    surface.fill(Qt::black);
    auto dc = CDC::ForImage(&surface);
    CDIB dib;
    dib.Create(3, 2, 24);
    Put(dib, 0, 0, RGB(255, 0, 0));
    Put(dib, 2, 1, RGB(0, 0, 255));
    dib.SetStretchMode(BLACKONWHITE);
    auto palette = MakePalette({RGB(0, 0, 0)});
    const RECT dest{0, 0, 6, 4}, source{0, 0, 3, 2};
    EXPECT_FALSE(dib.Draw(dc.get(), nullptr, &source, nullptr, FALSE));
    EXPECT_FALSE(CDIB().Draw(dc.get(), &dest, &source, nullptr, FALSE));
    ASSERT_TRUE(dib.Draw(dc.get(), &dest, &source, palette.get(), TRUE));
    EXPECT_EQ(dc->GetStretchBltMode(), BLACKONWHITE);
    EXPECT_EQ(dc->GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(2, 0), RGB(255, 255, 255));
    EXPECT_EQ(dc->GetPixel(5, 3), RGB(0, 0, 255));
    EXPECT_EQ(dc->GetPixel(4, 2), RGB(0, 0, 255));

    // Back from the device: every pixel but the key colour, only where the image reaches.
    const RECT green{1, 1, 2, 2};
    dc->FillSolidRect(green, RGB(0, 255, 0));
    CDIB copy;
    copy.Create(2, 2, 24);
    EXPECT_FALSE(copy.CopyFromDevice(nullptr, 2, 2, 0));
    ASSERT_TRUE(copy.CopyFromDevice(dc.get(), 6, 4, RGB(255, 255, 255)));
    EXPECT_EQ(At(copy, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(copy, 1, 1), RGB(0, 255, 0));
    const RECT white{0, 1, 1, 2};
    dc->FillSolidRect(white, RGB(255, 255, 255));
    copy.Fill(RGB(9, 9, 9));
    copy.CopyFromDevice(dc.get(), 2, 2, RGB(255, 255, 255));
    EXPECT_EQ(At(copy, 0, 1), RGB(9, 9, 9)) << "key colour left out";
}
