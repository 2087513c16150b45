#include "imaging/DIB.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

// BMP files written by another program (ImageMagick's convert) load with the right pixels.

namespace {
bool HaveConvert() {
    return std::system("command -v convert >/dev/null 2>&1") == 0;
}

COLORREF Expected(int x, int y) {
    return RGB(BYTE(x * 12), BYTE(y * 40), BYTE((x + y) * 7));
}

// A plain-text picture of the expected colours for convert to read.
std::string Ppm(int width, int height) {
    std::string s = "P3\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = Expected(x, y);
            s += std::to_string(GetRValue(c)) + " " + std::to_string(GetGValue(c)) + " " +
                 std::to_string(GetBValue(c)) + "\n";
        }
    return s;
}

COLORREF ColourAt(CDIB& dib, int x, int y) {
    const BYTE* p = dib.PixelAddressDirect(x, y);
    if (!p)
        return CLR_INVALID;
    if (dib.BitCount() == 24)
        return RGB(p[2], p[1], p[0]);
    UINT index = dib.BitCount() == 8 ? *p : (x & 1) ? *p & 0x0F : *p >> 4;
    if (index >= dib.NumColors())
        return CLR_INVALID;
    const auto* q = reinterpret_cast<const RGBQUAD*>(dib.GetBlock() + dib.GetHeader()->biSize) + index;
    return RGB(q->rgbRed, q->rgbGreen, q->rgbBlue);
}
} // namespace

TEST(DIBForeignFiles, PicturesWrittenByConvertLoadWithTheirPixels) {
    if (!HaveConvert())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempDir dir;
    struct Case {
        int width, height;
        const char* options;
        WORD bits;
    };
    // 5 x 3 and 3 x 5 have few colours (a 4-bit table); 20 x 5 needs an 8-bit one. Palette pictures are
    // run-length coded unless told otherwise.
    const Case cases[] = {
        {5, 3, "BMP3:", 24},
        {3, 5, "BMP3:", 24},
        {5, 3, "", 24},
        {5, 3, "-type Palette -compress None BMP3:", 4},
        {20, 5, "-type Palette -compress None BMP3:", 8},
        {20, 5, "-type Palette -compress None ", 8},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string ppm = dir.Write("in.ppm", Ppm(c.width, c.height));
        const std::string bmp = dir.Join("out" + std::to_string(n++) + ".bmp");
        const std::string command = "convert '" + ppm + "' " + c.options + "'" + bmp + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        CDIB dib;
        ASSERT_TRUE(dib.Load(bmp)) << command;
        EXPECT_EQ(dib.BitCount(), c.bits) << command;
        ASSERT_EQ(dib.GetWidth(), c.width);
        ASSERT_EQ(dib.GetHeight(), c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(ColourAt(dib, x, y), Expected(x, y)) << command << " at " << x << "," << y;
    }

    // Run-length rows cannot be addressed: refused.
    const std::string ppm = dir.Write("in.ppm", Ppm(20, 5));
    const std::string rle = dir.Join("rle.bmp");
    ASSERT_EQ(std::system(("convert '" + ppm + "' -type Palette -compress RLE BMP3:'" + rle + "'").c_str()),
              0);
    CDIB dib;
    EXPECT_FALSE(dib.Load(rle));
}
