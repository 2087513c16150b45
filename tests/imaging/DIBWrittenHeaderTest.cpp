#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// The size fields of a written BMP file, read from its bytes: file header at 0, info header at 14.
TEST(DIBWrittenHeader, SizesAndColourCountAsWritten) {
    const struct {
        int width, height, bits, paletteEntries;
        DWORD colorsUsed; // set before saving
        DWORD offset, imageSize, fileSize;
    } cases[] = {
        {3, 2, 24, 0, 0, 54, 24, 78},      // stride 12
        {5, 3, 8, 256, 0, 1078, 24, 1102}, // colours-used 0 means 256: a 1,024-byte table
        {5, 3, 8, 256, 256, 1078, 24, 1102}, {5, 3, 8, 16, 16, 14 + 40 + 64, 24, 142},
        {1, 1, 8, 256, 0, 1078, 4, 1082},
    };
    TempDir dir;
    for (const auto& c : cases) {
        std::vector<COLORREF> colours(c.paletteEntries, RGB(1, 2, 3));
        CDIB dib;
        ASSERT_TRUE(
            dib.Create(c.width, c.height, c.bits, c.paletteEntries ? MakePalette(colours).get() : nullptr));
        dib.GetHeader()->biClrUsed = c.colorsUsed;
        dib.GetHeader()->biSizeImage = 999; // rewritten from stride x height
        ASSERT_TRUE(dib.Save(dir.Join("h.bmp")));
        const std::string bytes = dir.Read("h.bmp");
        const std::string what = std::to_string(c.width) + "x" + std::to_string(c.height) + "x" +
                                 std::to_string(c.bits) + " used " + std::to_string(c.colorsUsed);
        EXPECT_EQ(bytes.size(), c.fileSize) << what;
        EXPECT_EQ(Peek<DWORD>(bytes, 2), c.fileSize) << what;
        EXPECT_EQ(Peek<DWORD>(bytes, 10), c.offset) << what;
        EXPECT_EQ(Peek<DWORD>(bytes, 14 + 20), c.imageSize) << what;
        EXPECT_EQ(Peek<DWORD>(bytes, 14 + 32), c.colorsUsed) << what;
        EXPECT_EQ(dib.GetHeader()->biSizeImage, c.imageSize) << what << ": in memory too";
    }
}
