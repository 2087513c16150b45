#include "platform/DC.h"
#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
// An 8-bit picture on the grey ramp whose pixel (x, y) is index (x + 10 y) * 3.
void MakeGrey(CDIB& dib, int width, int height) {
    auto ramp = MakePalette(GreyRamp());
    dib.Create(width, height, 8, ramp.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Put(dib, x, y, COLORREF((x + 10 * y) * 3) << 16);
}
} // namespace

TEST(DIBColour, PaletteMappingLaysOutExactlyThePalette) {
    CDIB dib;
    CPalette made;
    dib.Create(2, 2, 24);
    EXPECT_FALSE(dib.CreatePalette(&made)) << "no colour table";
    MakeGrey(dib, 5, 2);

    std::vector<COLORREF> sixteen; // greys 0, 17, 34, ..., 255
    for (int i = 0; i < 16; ++i)
        sixteen.push_back(RGB(BYTE(17 * i), BYTE(17 * i), BYTE(17 * i)));
    ASSERT_TRUE(dib.MapToPalette(MakePalette(sixteen).get()));
    EXPECT_EQ(dib.GetHeader()->biClrUsed, 16u);
    EXPECT_EQ(dib.GetBits() - dib.GetBlock(), 40 + 64) << "rows start where the header says";
    EXPECT_EQ(At(dib, 4, 1), 2u) << "grey 42 is nearest 34";
    EXPECT_EQ(At(dib, 3, 0), 1u) << "grey 9 is nearest 17";
    TempDir dir;
    ASSERT_TRUE(dib.Save(dir.Join("m.bmp")));
    EXPECT_EQ(QImage(QString::fromStdString(dir.Join("m.bmp"))).pixel(4, 1) & 0xFFFFFF, 0x222222u);

    // A 4-bit picture becomes 8-bit, so indexes beyond 15 fit.
    BmpLayout four{3, 1, 4, BI_RGB, 0, 40, std::vector<RGBQUAD>(16), std::string("\x12\x10\0\0", 4)};
    four.table[1] = {200, 200, 200, 0};
    four.table[2] = {40, 40, 40, 0};
    ASSERT_TRUE(dib.Load(dir.Write("4.bmp", MakeBmp(four))));
    ASSERT_TRUE(dib.MapToPalette(MakePalette(GreyRamp()).get()));
    EXPECT_EQ(dib.BitCount(), 8);
    EXPECT_EQ(At(dib, 0, 0) * 1000 + At(dib, 1, 0), 200040u);
    CPalette empty;
    EXPECT_FALSE(dib.MapToPalette(&empty));
}

TEST(DIBColour, ConvertTo8BitTakesOnlyTrueColourAndKeepsTheImageItself) {
    auto three = MakePalette({RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 255, 255)});
    CDIB grey, dib;
    MakeGrey(grey, 3, 2);
    const std::string before(reinterpret_cast<const char*>(grey.GetBlock()), grey.GetSize());
    EXPECT_FALSE(grey.ConvertTo8Bit(three.get()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(grey.GetBlock()), grey.GetSize()), before);

    dib.Create(3, 2, 24);
    dib.GetHeader()->biXPelsPerMeter = 2835;
    dib.SetName("kept");
    Put(dib, 0, 0, RGB(200, 30, 10));
    Put(dib, 2, 1, RGB(20, 20, 20));
    ASSERT_TRUE(dib.MapToPalette(three.get())) << "true colour goes through ConvertTo8Bit";
    const BITMAPINFOHEADER& h = *dib.GetHeader();
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biClrUsed, 3u);
    EXPECT_EQ(h.biXPelsPerMeter, 2835);
    EXPECT_EQ(dib.GetSize(), 40u + 12 + 8);
    EXPECT_EQ(dib.GetName(), "kept");
    EXPECT_EQ(At(dib, 0, 0) * 100 + At(dib, 2, 1) * 10 + At(dib, 1, 0), 102u);
}

TEST(DIBColour, MappingAgainToTheSamePaletteKeepsThePicture) {
    // A shared picture is mapped each time it is handed out.
    CDIB dib;
    MakeGrey(dib, 5, 2);
    auto ramp = MakePalette(GreyRamp());
    const BYTE* block = dib.GetBlock();
    ASSERT_TRUE(dib.MapToPalette(ramp.get()));
    EXPECT_EQ(dib.GetBlock(), block) << "laid out as the palette already: nothing is made anew";
    EXPECT_EQ(At(dib, 4, 1), 42u);

    // The same colours in another order are mapped.
    std::vector<COLORREF> reversed = GreyRamp();
    std::reverse(reversed.begin(), reversed.end());
    ASSERT_TRUE(dib.MapToPalette(MakePalette(reversed).get()));
    EXPECT_EQ(At(dib, 4, 1), 255u - 42);
    ASSERT_TRUE(dib.MapToPalette(ramp.get()));
    EXPECT_EQ(At(dib, 4, 1), 42u);
}

TEST(DIBColour, ScalerWeighsSamplesOneScaleStepApartWithAPlainAverage) {
    // Blue is the square of the column: output column 1 of 4 samples columns 0, 2, 4 of 8.
    CDIB line, dot;
    line.Create(8, 1, 24);
    for (int x = 0; x < 8; ++x)
        Put(line, x, 0, RGB(0, 0, BYTE(x * x)));
    auto scaled = line.CreateScaled(4, 1, 0, nullptr);
    EXPECT_EQ(GetBValue(At(*scaled, 1, 0)), (4 * 500 + 16 * 106) / 712);
    EXPECT_EQ(GetBValue(At(*scaled, 0, 0)), (4 * 106) / 606) << "the border clips its samples";

    // A bright dot on black keeps the plain weighted average next to dark samples.
    dot.Create(3, 3, 24);
    dot.Fill(RGB(0, 0, 0));
    Put(dot, 1, 1, RGB(200, 0, 0));
    scaled = dot.CreateScaled(3, 3, 0, nullptr);
    EXPECT_EQ(At(*scaled, 1, 1), RGB(200 * 500 / 952, 0, 0));
    EXPECT_EQ(At(*scaled, 0, 0), RGB(200 * 7 / 719, 0, 0));

    for (COLORREF colour : {RGB(10, 20, 30), RGB(1, 2, 3)}) {
        dot.Create(37, 23, 24);
        dot.Fill(colour);
        scaled = dot.CreateScaled(100, 75, 0, nullptr);
        for (auto [x, y] : {std::pair{0, 0}, {99, 74}, {50, 30}})
            EXPECT_EQ(At(*scaled, x, y), colour) << "uniform everywhere, border included";
    }
}

TEST(DIBColour, ScalerBordersAndSourcesItDoesNotRead) {
    auto ramp = MakePalette(GreyRamp());
    CDIB grey;
    grey.Create(40, 30, 8, ramp.get());
    grey.Fill(RGB(0, 0, 60));
    auto rgb = grey.CreateScaled(10, 8, 0, nullptr);
    auto indexed = grey.CreateScaled(10, 8, 8, ramp.get());
    ASSERT_EQ(indexed->BitCount(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool border = x == 0 || y == 0 || x == 9 || y == 7;
            EXPECT_EQ(At(*rgb, x, y), border ? RGB(255, 255, 255) : RGB(60, 60, 60));
            EXPECT_EQ(At(*indexed, x, y), border ? 255u : 60u);
        }

    // A 16-colour source (its table all black) shows its colours, border included; an empty one gives
    // white; 8 bits without a palette give true colour.
    TempDir dir;
    CDIB nibbles, empty;
    ASSERT_TRUE(nibbles.Load(dir.Write(
        "4.bmp", MakeBmp({8, 2, 4, BI_RGB, 0, 40, std::vector<RGBQUAD>(16), std::string(8, '\0')}))));
    for (CDIB* source : {&nibbles, &empty}) {
        auto scaled = source->CreateScaled(4, 3, 8, nullptr);
        ASSERT_EQ(scaled->BitCount(), 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(At(*scaled, x, y), source == &empty ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
}

TEST(DIBColour, DrawStretchesWithTheImageStretchModeAndCopyFromDeviceKeysOut) {
    QImage surface(6, 4, QImage::Format_RGB32);
    surface.fill(Qt::black);
    auto dc = CDC::ForImage(&surface);
    CDIB dib, copy;
    dib.Create(3, 2, 24);
    Put(dib, 0, 0, RGB(255, 0, 0));
    Put(dib, 2, 1, RGB(0, 0, 255));
    dib.SetStretchMode(BLACKONWHITE);
    const RECT dest{0, 0, 6, 4}, source{0, 0, 3, 2};
    ASSERT_TRUE(dib.Draw(dc.get(), &dest, &source, MakePalette({0}).get(), TRUE));
    EXPECT_EQ(dc->GetStretchBltMode(), BLACKONWHITE);
    for (auto [x, y, c] : {std::tuple{0, 0, RGB(255, 0, 0)},
                           {1, 1, RGB(255, 0, 0)},
                           {2, 0, RGB(255, 255, 255)},
                           {4, 2, RGB(0, 0, 255)},
                           {5, 3, RGB(0, 0, 255)}})
        EXPECT_EQ(dc->GetPixel(x, y), c) << x << "," << y;

    // Back from the device: every pixel but the key colour, only where the image reaches.
    copy.Create(3, 1, 24);
    copy.Fill(RGB(9, 9, 9));
    ASSERT_TRUE(copy.CopyFromDevice(dc.get(), 6, 4, RGB(255, 255, 255)));
    EXPECT_EQ(At(copy, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(copy, 2, 0), RGB(9, 9, 9)) << "key colour left out";
    EXPECT_FALSE(copy.CopyFromDevice(nullptr, 2, 2, 0));
}
