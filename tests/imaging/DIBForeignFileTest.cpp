#include "imaging/DIB.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

// BMP files written by another program (ImageMagick's convert) load with the right pixels.
TEST(DIBForeignFiles, PicturesWrittenByConvertLoadWithTheirPixels) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    auto expected = [](int x, int y) { return RGB(BYTE(x * 12), BYTE(y * 40), BYTE((x + y) * 7)); };
    TempDir dir;
    // 5 x 3 and 3 x 5 have few colours (a 4-bit table), 20 x 5 needs 8 bits. convert codes palette pictures
    // run-length unless told otherwise.
    const std::tuple<int, int, std::string, int> cases[] = {{5, 3, "BMP3:", 24},
                                                            {3, 5, "BMP3:", 24},
                                                            {5, 3, "", 24},
                                                            {5, 3, "-type Palette -compress None BMP3:", 4},
                                                            {20, 5, "-type Palette -compress None BMP3:", 8},
                                                            {20, 5, "-type Palette -compress None ", 8},
                                                            {20, 5, "-type Palette BMP3:", 8}};
    for (const auto& [width, height, options, bits] : cases) {
        std::string ppm = "P3 " + std::to_string(width) + " " + std::to_string(height) + " 255\n";
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (BYTE v :
                     {GetRValue(expected(x, y)), GetGValue(expected(x, y)), GetBValue(expected(x, y))})
                    ppm += std::to_string(v) + " ";
        const std::string command =
            "convert '" + dir.Write("in.ppm", ppm) + "' " + options + "'" + dir.Join("out.bmp") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        CDIB dib;
        ASSERT_EQ(dib.Load(dir.Join("out.bmp")), bits != 0) << command;
        EXPECT_EQ(dib.BitCount(), bits) << command;
        for (int y = 0; y < dib.GetHeight(); ++y)
            for (int x = 0; x < dib.GetWidth(); ++x) {
                const BYTE* p = dib.PixelAddressDirect(x, y);
                const UINT index = bits == 8 ? *p : (x & 1) ? *p & 0x0F : *p >> 4;
                ASSERT_TRUE(bits == 24 || index < dib.NumColors());
                const BYTE* q = bits == 24 ? p : dib.GetBlock() + dib.GetHeader()->biSize + 4 * index;
                const COLORREF c = RGB(q[2], q[1], q[0]);
                EXPECT_EQ(c, expected(x, y)) << command << " at " << x << "," << y;
            }
    }
}
