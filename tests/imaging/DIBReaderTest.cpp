#include "platform/DC.h"
#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

// The BMP reader on files of each kind a user meets, made here byte by byte: each loads 3 x 2 in a layout
// every path takes, and shows its pixels (top row first below; white where an alpha channel shows
// nothing) on each: 24-bit rows (the picture area's copy), drawing, the thumbnail, palette mapping, and
// the plain file it writes back, as Qt reads it.
namespace {
const COLORREF c[6] = {RGB(200, 30, 10), RGB(20, 180, 40), RGB(10, 40, 220),
                       RGB(250, 250, 0), RGB(0, 120, 130), RGB(90, 10, 160)};
const COLORREF white = RGB(255, 255, 255), black = 0, red = RGB(255, 0, 0), green = RGB(0, 255, 0),
               blue = RGB(0, 0, 255);

// entries entries, the first six the colours above.
std::vector<RGBQUAD> Table(std::size_t entries) {
    std::vector<RGBQUAD> table(entries, RGBQUAD{0, 0, 0, 0});
    for (std::size_t i = 0; i < std::min<std::size_t>(entries, 6); ++i)
        table[i] = {GetBValue(c[i]), GetGValue(c[i]), GetRValue(c[i]), 0};
    return table;
}

std::string Bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}

std::string Rows(int bits, std::vector<DWORD> bottom, std::vector<DWORD> top) {
    return PackRows(3, bits, {bottom, top});
}

DWORD Argb(BYTE a, COLORREF k) {
    return DWORD(a) << 24 | DWORD(GetRValue(k)) << 16 | DWORD(GetGValue(k)) << 8 | GetBValue(k);
}

struct Case {
    const char* what;
    BmpLayout file;
    int bits; // in memory
    std::vector<COLORREF> colours;
    std::vector<int> alpha; // none without an alpha channel
};
const std::vector<COLORREF> six = {c[0], c[1], c[2], c[3], c[4], c[5]};

Case Kind(const char* what, BmpLayout file, int bits, std::vector<COLORREF> colours = six,
          std::vector<int> alpha = {}) {
    return {what, std::move(file), bits, std::move(colours), std::move(alpha)};
}

// 3 pixels wide, 2 high unless said (negative: top-down); colours used as many as the table has.
BmpLayout File(WORD bits, DWORD compression, DWORD header, std::string rows, std::vector<DWORD> masks = {},
               std::vector<RGBQUAD> table = {}, LONG height = 2) {
    return {3, height, bits, compression, DWORD(table.size()), header, table, rows, masks};
}

std::vector<Case> Cases() {
    const std::vector<DWORD> argb = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    const std::string argbRows =
        Rows(32, {Argb(10, c[3]), Argb(255, c[4]), Argb(200, c[5])}, {Argb(255, c[0]), Argb(128, c[1]), 0});
    const std::string grey555 = Rows(16, {0x001F, 0, 0x4210}, {0x7FFF, 0x7C00, 0x03E0});
    const std::vector<COLORREF> primaries = {white, red, green, blue, black, RGB(132, 132, 132)};
    const std::string runs = Bytes({0, 3, 1, 1, 2, 7, 0, 0, 0, 2, 1, 0, 1, 4, 5, 5, 0, 1});
    return {
        Kind("4 bits, a 3-entry table, an index beyond it",
             File(4, BI_RGB, 40, Rows(4, {0, 1, 7}, {2, 1, 0}), {}, Table(3)), 4,
             {c[2], c[1], c[0], c[0], c[1], black}),
        Kind("5-5-5 kept as it is, widened", File(16, BI_RGB, 40, grey555), 16, primaries),
        Kind("32 bits kept as they are, the fourth byte unused",
             File(32, BI_RGB, 40,
                  Rows(32, {Argb(1, c[3]), Argb(2, c[4]), Argb(3, c[5])},
                       {Argb(0, c[0]), Argb(9, c[1]), Argb(0, c[2])})),
             32),
        Kind("OS/2 1.x, a table shorter than the bit count's",
             File(8, BI_RGB, 12, Rows(8, {3, 4, 5}, {0, 1, 2}), {}, Table(6)), 8),
        Kind("OS/2 1.x, 24 bits", File(24, BI_RGB, 12, Rows(24, {c[3], c[4], c[5]}, {c[0], c[1], c[2]})), 24),
        Kind("2 bits, top-down", File(2, BI_RGB, 40, Rows(2, {0, 1, 2}, {3, 2, 1}), {}, Table(4), -2), 4,
             {c[0], c[1], c[2], c[3], c[2], c[1]}),
        // Bottom: a literal of three padded to a whole word (the pad not 0), end of line. Top: a move right,
        // a run of one, a run of five that the row's end cuts. The pixel no code sets keeps index 0.
        Kind("run-length 8", File(8, BI_RLE8, 40, runs, {}, Table(6)), 8,
             {c[0], c[4], c[5], c[1], c[1], c[2]}),
        Kind("run-length 8: a move past the picture ends it",
             File(8, BI_RLE8, 40, Bytes({200, 2, 0, 2, 0, 5, 1, 3}), {}, Table(6)), 8,
             {c[0], c[0], c[0], c[2], c[2], c[2]}),
        Kind("run-length 8 cut short in a literal", File(8, BI_RLE8, 40, Bytes({0, 3, 1, 2}), {}, Table(6)),
             8, {c[0], c[0], c[0], c[1], c[2], c[0]}),
        Kind("run-length 4: a run's colours take turns, an odd literal",
             File(4, BI_RLE4, 40, Bytes({3, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}), {}, Table(6)), 4,
             {c[3], c[4], c[5], c[1], c[2], c[1]}),
        // Greys of 16 of 31 and 32 of 63.
        Kind("5-6-5 after a 40-byte header, a table as a hint",
             File(16, BI_BITFIELDS, 40, Rows(16, {0x001F, 0, 0x8410}, {0xFFFF, 0xF800, 0x07E0}),
                  {0xF800, 0x07E0, 0x001F}, Table(2)),
             24, {white, red, green, blue, black, RGB(132, 130, 132)}),
        Kind("5-5-5 in a 52-byte header", File(16, BI_BITFIELDS, 52, grey555, {0x7C00, 0x03E0, 0x001F}), 24,
             primaries),
        Kind("4-4-4-4 with alpha, fifth-version header",
             File(16, BI_BITFIELDS, 124, Rows(16, {0xFFFF, 0x7000, 0x1888}, {0xFF00, 0x80F0, 0x000F}),
                  {0x0F00, 0x00F0, 0x000F, 0xF000}),
             24, {red, green, white, white, black, RGB(136, 136, 136)}, {255, 136, 0, 255, 119, 17}),
        Kind("alpha, blue, green, red from the top, 56-byte header",
             File(32, BI_BITFIELDS, 56, argbRows, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}), 24,
             {RGB(30, 200, 255), RGB(180, 20, 128), white, white, RGB(120, 0, 255), RGB(10, 90, 200)},
             {10, 40, 0, 0, 130, 160}),
        Kind("10-10-10-2, fourth-version header",
             File(32, BI_BITFIELDS, 108,
                  Rows(32, {0x20080200, 0xFFFFFFFF, 0xC0402BFC}, {0xFFF00000, 0x800FFC00, 0x400003FF}),
                  {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}),
             24, {red, green, blue, white, white, RGB(1, 2, 254)}, {255, 170, 85, 0, 255, 255}),
        Kind("alpha bit fields after a 40-byte header, top-down", File(32, 6, 40, argbRows, argb, {}, -2), 24,
             {c[3], c[4], c[5], c[0], c[1], white}, {10, 255, 200, 255, 128, 0}),
        Kind("an alpha channel 0 everywhere is none",
             File(32, BI_BITFIELDS, 124,
                  PackRows(3, 32, {std::vector<DWORD>(3, 0x404040), {0x404040, 0x404040, 0x404040}}), argb),
             24, std::vector<COLORREF>(6, RGB(64, 64, 64))),
    };
}
} // namespace

TEST(DIBReader, EveryKindShowsItsPixelsOnEveryPath) {
    TempDir dir;
    QImage surface(3, 2, QImage::Format_RGB32);
    auto dc = CDC::ForImage(&surface);
    const RECT whole{0, 0, 3, 2};
    for (const Case& k : Cases()) {
        CDIB dib, expected;
        ASSERT_TRUE(dib.Load(dir.Write("in.bmp", MakeBmp(k.file)))) << k.what;
        EXPECT_EQ(dib.BitCount(), k.bits) << k.what;
        ASSERT_EQ(dib.GetWidth() * 10 + dib.GetHeight(), 32) << k.what;
        ASSERT_EQ(dib.GetAlpha() != nullptr, !k.alpha.empty()) << k.what;
        ASSERT_TRUE(dib.Draw(dc.get(), &whole, &whole, nullptr, FALSE)) << k.what;
        ASSERT_TRUE(dib.Save(dir.Join("out.bmp"))) << k.what;
        EXPECT_EQ(Peek<DWORD>(dir.Read("out.bmp"), 14 + 16), BI_RGB) << k.what;
        const QImage qt(QString::fromStdString(dir.Join("out.bmp")));
        expected.Create(3, 2, 24);
        for (int i = 0; i < 6; ++i) {
            const int x = i % 3, y = i / 3;
            BYTE row[9], alpha[9] = {};
            dib.CopyRowAs24Bit(1 - y, row);
            if (dib.GetAlpha())
                dib.GetAlpha()->CopyRowAs24Bit(1 - y, alpha);
            const std::string at = std::string(k.what) + " at " + std::to_string(x) + "," + std::to_string(y);
            EXPECT_EQ(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]), k.colours[i]) << at;
            EXPECT_EQ(alpha[3 * x], k.alpha.empty() ? 0 : k.alpha[i]) << at << ": alpha";
            EXPECT_EQ(dc->GetPixel(x, y), k.colours[i]) << at << ": drawn";
            // Qt reads 5-5-5 files with a shift only (white as 248): no second opinion there.
            if (k.bits != 16) {
                EXPECT_EQ(qt.pixel(x, y) & 0xFFFFFF, Argb(0, k.colours[i])) << at << ": written";
            }
            Put(expected, x, y, k.colours[i]);
        }
        auto thumbnail = dib.CreateScaled(5, 4, 0, nullptr),
             reference = expected.CreateScaled(5, 4, 0, nullptr);
        EXPECT_EQ(0, std::memcmp(thumbnail->GetBits(), reference->GetBits(), 4 * thumbnail->GetStride()))
            << k.what;
        // Onto a palette of the colours, each beside one a little darker that a colour read too dark is
        // nearest to.
        auto darker = [](BYTE v) { return BYTE(std::max(v - 4, 0)); };
        std::vector<COLORREF> entries;
        for (COLORREF v : k.colours)
            entries.insert(entries.end(),
                           {v, RGB(darker(GetRValue(v)), darker(GetGValue(v)), darker(GetBValue(v)))});
        auto palette = MakePalette(entries);
        ASSERT_TRUE(dib.MapToPalette(palette.get())) << k.what;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(entries.at(At(dib, i % 3, i / 3)), k.colours[i]) << k.what << " mapped, " << i;
    }
}

// Every level of a 5- or 6-bit channel lands on the nearest of 256: v * 255 / max, rounded. Bit
// repetition, the shortcut, is one level off for about one value in five.
TEST(DIBReader, SixteenBitLevelsScaleToTheNearestOf256) {
    std::vector<DWORD> rgb555, rgb565;
    for (DWORD v = 0; v < 64; ++v) {
        rgb555.push_back((v & 31) << 10 | (31 - (v & 31)) << 5 | (v & 31));
        rgb565.push_back((v & 31) << 11 | v << 5 | (31 - (v & 31)));
    }
    const auto nearest = [](DWORD v, int max) { return int(std::lround(v * 255.0 / max)); };
    TempDir dir;
    for (const auto& [what, file] :
         {std::pair{"5-5-5", MakeBmp({64, 1, 16, BI_RGB, 0, 40, {}, PackRows(64, 16, {rgb555})})},
          std::pair{"5-6-5", MakeBmp({64,
                                      1,
                                      16,
                                      BI_BITFIELDS,
                                      0,
                                      40,
                                      {},
                                      PackRows(64, 16, {rgb565}),
                                      {0xF800, 0x07E0, 0x001F}})}}) {
        CDIB dib;
        ASSERT_TRUE(dib.Load(dir.Write("levels.bmp", file))) << what;
        BYTE row[3 * 64];
        dib.CopyRowAs24Bit(0, row);
        const bool six = std::string(what) == "5-6-5";
        for (DWORD v = 0; v < 64; ++v) {
            const DWORD low = v & 31;
            EXPECT_EQ(row[3 * v + 2], nearest(low, 31)) << what << " red " << low;
            EXPECT_EQ(row[3 * v + 1], six ? nearest(v, 63) : nearest(31 - low, 31)) << what << " green " << v;
            EXPECT_EQ(row[3 * v], six ? nearest(31 - low, 31) : nearest(low, 31)) << what << " blue " << low;
        }
    }
}

TEST(DIBReader, RefusesWhatItCannotReadRight) {
    auto fields = [](WORD bits, std::vector<DWORD> m, DWORD header = 40) {
        return MakeBmp({3, 2, bits, BI_BITFIELDS, 0, header, {}, Rows(bits, {1, 2, 3}, {4, 5, 6}), m});
    };
    std::string twoBits = MakeBmp({3, 2, 2, BI_RGB, 0, 40, Table(4), Rows(2, {0, 1, 2}, {3, 2, 1})});
    twoBits.pop_back();
    Poke<DWORD>(twoBits, 2, DWORD(twoBits.size()));
    const std::pair<const char*, std::string> cases[] = {
        {"run-length rows stored top-down",
         MakeBmp({3, -2, 8, BI_RLE8, 0, 40, Table(256), Bytes({3, 1, 0, 1})})},
        {"bit fields at 24 bits", fields(24, {0xFF0000, 0xFF00, 0xFF})},
        {"masks sharing bits", fields(16, {0xF800, 0x0FE0, 0x001F})},
        {"a mask with a hole", fields(16, {0xF800, 0x07E0, 0x0015})},
        {"no red mask", fields(16, {0, 0x07E0, 0x001F})},
        {"masks beyond the file", MakeBmp({3, 2, 16, BI_BITFIELDS, 0, 40, {}, ""})},
        {"JPEG inside", MakeBmp({3, 2, 24, 4, 0, 40, {}, std::string(24, '\0')})},
        {"OS/2 1.x at 16 bits", MakeBmp({3, 2, 16, BI_RGB, 0, 12, {}, Rows(16, {1, 2, 3}, {4, 5, 6})})},
        {"2-bit rows beyond the file", twoBits},
    };
    TempDir dir;
    for (const auto& [what, bytes] : cases) {
        CDIB dib;
        EXPECT_FALSE(dib.Load(dir.Write("bad.bmp", bytes), TRUE)) << what;
        EXPECT_TRUE(dib.IsEmpty()) << what;
    }
}

TEST(DIBReader, AFilesAlphaChannelServesUnlessACompanionIsBeside) {
    TempDir dir;
    const std::string bytes = MakeBmp(
        {3, 2, 32, BI_BITFIELDS, 0, 124, {}, std::string(24, '\x1e'), {0xFF0000, 0xFF00, 0xFF, 0xFF000000}});
    CDIB dib, companion;
    ASSERT_TRUE(dib.Load(dir.Write("ibird.bmp", bytes), FALSE));
    ASSERT_NE(dib.GetAlpha(), nullptr) << "the picture's own, asked for or not";
    EXPECT_EQ(dib.GetAlpha()->GetName(), dir.Join("ibird.bmp")) << "where it came from";
    EXPECT_EQ(*dib.GetAlpha()->PixelAddressDirect(2, 1), 30);
    ASSERT_TRUE(companion.Create(3, 2, 8, MakePalette(GreyRamp()).get()));
    companion.Fill(RGB(0, 0, 99));
    ASSERT_TRUE(companion.Save(dir.Join("abird.bmp")));
    ASSERT_TRUE(dib.Load(dir.Join("ibird.bmp"), TRUE));
    ASSERT_NE(dib.GetAlpha(), nullptr);
    EXPECT_EQ(*dib.GetAlpha()->PixelAddressDirect(2, 1), 99) << "the companion the user made wins";
}
