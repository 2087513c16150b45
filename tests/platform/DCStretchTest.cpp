#include "platform/DC.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

constexpr COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255),
                   white = RGB(255, 255, 255);
constexpr COLORREF grey = RGB(128, 128, 128);

// A packed bitmap as the imaging layer holds one: header and colour table, then bottom-up padded rows.
// value(x, y) gives the raw pixel of picture row y counted from the top: an index, a 5-5-5 word, or
// 0x00RRGGBB.
struct Packed {
    std::vector<BYTE> info;
    std::vector<BYTE> bits;
    Packed(int bitCount, int width, int height, const std::vector<COLORREF>& table,
           const std::function<DWORD(int, int)>& value, DWORD coloursUsed = 0) {
        info.resize(sizeof(BITMAPINFOHEADER) + std::max<std::size_t>(table.size(), 1) * sizeof(RGBQUAD));
        auto& h = Info()->bmiHeader;
        h = {sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bitCount), BI_RGB, 0, 0, 0, coloursUsed, 0};
        for (std::size_t i = 0; i < table.size(); ++i)
            Info()->bmiColors[i] = {GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
        const int stride = (bitCount * width + 31) / 32 * 4;
        bits.assign(std::size_t(stride) * height, 0);
        for (int row = 0; row < height; ++row) {
            BYTE* out = bits.data() + std::size_t(height - 1 - row) * stride;
            for (int x = 0; x < width; ++x) {
                DWORD v = value(x, row);
                const int bit = x * bitCount;
                if (bitCount < 8)
                    out[bit / 8] |= BYTE(v << (8 - bitCount - bit % 8));
                else
                    for (int b = 0; b < bitCount / 8; ++b)
                        out[bit / 8 + b] = BYTE(v >> (8 * b));
            }
        }
    }
    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(info.data()); }
    int Draw(CDC& dc, int x, int y, int w, int h, int xs, int ys, int ws, int hs) {
        return dc.StretchDIBits(x, y, w, h, xs, ys, ws, hs, bits.data(), Info(), DIB_RGB_COLORS, SRCCOPY);
    }
};

// Picture rows from the top: red green blue / white grey red.
const std::vector<std::vector<COLORREF>> picture = {{red, green, blue}, {white, grey, red}};

QRgb ToRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

BYTE Widened5(BYTE channel) {
    return BYTE((channel & 0xF8) | (channel >> 5));
}

DWORD Rgb24(COLORREF c) {
    return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
}

struct Surface {
    QImage image{8, 8, QImage::Format_RGB32};
    std::unique_ptr<CDC> dc;
    Surface() {
        image.fill(QColor(1, 2, 3));
        dc = CDC::ForImage(&image);
    }
    COLORREF At(int x, int y) const { return dc->GetPixel(x, y); }
};

} // namespace

TEST(DCStretch, EveryBitCountDrawsThePictureOneToOne) {
    const std::vector<COLORREF> table = {red, green, blue, white, grey};
    auto index = [&](int x, int y) {
        return DWORD(std::find(table.begin(), table.end(), picture[y][x]) - table.begin());
    };
    auto word555 = [](COLORREF c) {
        return DWORD(GetRValue(c) >> 3) << 10 | DWORD(GetGValue(c) >> 3) << 5 | DWORD(GetBValue(c) >> 3);
    };
    std::vector<Packed> bitmaps = {
        Packed(24, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); }),
        Packed(32, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); }),
        Packed(8, 3, 2, table, index, DWORD(table.size())),
        Packed(4, 3, 2, table, index, DWORD(table.size())),
        Packed(16, 3, 2, {}, [&](int x, int y) { return word555(picture[y][x]); }),
    };
    for (Packed& bitmap : bitmaps) {
        SCOPED_TRACE(bitmap.Info()->bmiHeader.biBitCount);
        Surface s;
        ASSERT_EQ(bitmap.Draw(*s.dc, 1, 1, 3, 2, 0, 0, 3, 2), 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                COLORREF want = picture[y][x];
                if (bitmap.Info()->bmiHeader.biBitCount == 16) // five bits a channel, widened again
                    want =
                        RGB(Widened5(GetRValue(want)), Widened5(GetGValue(want)), Widened5(GetBValue(want)));
                EXPECT_EQ(s.At(1 + x, 1 + y), want) << x << "," << y;
            }
        EXPECT_EQ(s.At(0, 0), RGB(1, 2, 3)) << "nothing outside the destination";
        EXPECT_EQ(s.At(4, 3), RGB(1, 2, 3));
    }
}

TEST(DCStretch, OneBitUsesItsTwoColours) {
    Packed mono(1, 9, 1, {blue, white}, [](int x, int) { return DWORD(x % 2); });
    Surface s;
    ASSERT_EQ(mono.Draw(*s.dc, 0, 0, 8, 1, 0, 0, 8, 1), 1);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(s.At(x, 0), x % 2 ? white : blue);
}

TEST(DCStretch, ShortColourTableIsPaddedWithBlackAndZeroMeansFull) {
    // Two colours declared, index 7 beyond them.
    Packed shortTable(
        8, 3, 1, {red, green}, [](int x, int) { return DWORD(x == 2 ? 7 : x); }, 2);
    Surface s;
    ASSERT_EQ(shortTable.Draw(*s.dc, 0, 0, 3, 1, 0, 0, 3, 1), 1);
    EXPECT_EQ(s.At(0, 0), red);
    EXPECT_EQ(s.At(1, 0), green);
    EXPECT_EQ(s.At(2, 0), RGB(0, 0, 0));

    std::vector<COLORREF> full(256, white);
    full[200] = blue;
    Packed fullTable(
        8, 1, 1, full, [](int, int) { return DWORD(200); }, 0);
    ASSERT_EQ(fullTable.Draw(*s.dc, 0, 1, 1, 1, 0, 0, 1, 1), 1);
    EXPECT_EQ(s.At(0, 1), blue);
}

TEST(DCStretch, DoubleSizeMakesTwoByTwoBlocksWithoutSmoothing) {
    Packed bitmap(24, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); });
    Surface s;
    s.dc->SetStretchBltMode(COLORONCOLOR);
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 0, 6, 4, 0, 0, 3, 2), 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(s.At(x, y), picture[y / 2][x / 2]) << x << "," << y;
}

TEST(DCStretch, HalftoneSmoothsEnlargementsButKeepsOneToOneExact) {
    Packed bitmap(24, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); });
    Surface exact, smooth;
    exact.dc->SetStretchBltMode(HALFTONE);
    smooth.dc->SetStretchBltMode(HALFTONE);
    ASSERT_EQ(bitmap.Draw(*exact.dc, 0, 0, 3, 2, 0, 0, 3, 2), 2);
    ASSERT_EQ(bitmap.Draw(*smooth.dc, 0, 0, 6, 4, 0, 0, 3, 2), 2);
    std::set<COLORREF> seen;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            if (x < 3 && y < 2) {
                EXPECT_EQ(exact.At(x, y), picture[y][x]) << x << "," << y;
            }
            seen.insert(smooth.At(x, y));
        }
    EXPECT_GT(seen.size(), 5u) << "blended colours between the five of the picture";
}

TEST(DCStretch, SourceRectangleCountsRowsFromTheBottom) {
    // Four bands of two rows each, top to bottom: red, green, blue, white; as button pictures are stored.
    const COLORREF bands[] = {red, green, blue, white};
    Packed bitmap(24, 2, 8, {}, [&](int, int y) { return Rgb24(bands[y / 2]); });
    Surface s;
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 0, 2, 2, 0, 0, 2, 2), 2);
    EXPECT_EQ(s.At(0, 0), white) << "y 0 is the bottom band";
    EXPECT_EQ(s.At(1, 1), white);
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 2, 2, 2, 0, 6, 2, 2), 2);
    EXPECT_EQ(s.At(0, 2), red) << "y 6 is the top band";
    EXPECT_EQ(s.At(1, 3), red);
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 4, 2, 3, 0, 3, 2, 3), 3);
    EXPECT_EQ(s.At(0, 4), green) << "rows 3 to 5 from the bottom: the green band over a blue row";
    EXPECT_EQ(s.At(0, 5), green);
    EXPECT_EQ(s.At(0, 6), blue);
    EXPECT_EQ(s.At(0, 7), RGB(1, 2, 3));
}

TEST(DCStretch, NegativeDestinationSizesMirror) {
    Packed bitmap(24, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); });
    Surface across, down;
    ASSERT_EQ(bitmap.Draw(*across.dc, 3, 0, -3, 2, 0, 0, 3, 2), 2);
    ASSERT_EQ(bitmap.Draw(*down.dc, 0, 2, 3, -2, 0, 0, 3, 2), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(across.At(x, y), picture[y][2 - x]) << x << "," << y;
            EXPECT_EQ(down.At(x, y), picture[1 - y][x]) << x << "," << y;
        }
}

TEST(DCStretch, SourceBeyondTheBitmapDrawsOnlyTheOverlap) {
    Packed bitmap(
        8, 3, 2, {RGB(9, 9, 9)}, [](int, int) { return DWORD(0); }, 1);
    Surface s;
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 0, 6, 6, -3, -4, 6, 6), 6);
    EXPECT_EQ(s.At(3, 0), RGB(9, 9, 9)) << "the overlap is the bitmap's columns 0 to 2, rows 0 to 1";
    EXPECT_EQ(s.At(5, 1), RGB(9, 9, 9));
    EXPECT_EQ(s.At(2, 0), RGB(1, 2, 3));
    EXPECT_EQ(s.At(3, 2), RGB(1, 2, 3));
    EXPECT_EQ(bitmap.Draw(*s.dc, 0, 0, 4, 4, 1000000, 5, 2000000000, 1), 1);
}

TEST(DCStretch, DrawsThroughAPainterThatIsAlreadyActive) {
    Packed bitmap(24, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); });
    QImage page(12, 8, QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    painter.translate(2, 1); // the page owner's own placement stays in force
    auto dc = CDC::ForPainter(&painter, 12, 8, 300, 300);
    ASSERT_EQ(bitmap.Draw(*dc, 0, 0, 6, 4, 0, 0, 3, 2), 2);
    EXPECT_EQ(dc->GetPixel(0, 0), CLR_INVALID) << "a page cannot be read back";
    painter.end();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(page.pixel(2 + x, 1 + y), ToRgb(picture[y / 2][x / 2])) << x << "," << y;
}

TEST(DCStretch, BadBitmapsAreRefusedWithoutDrawing) {
    Packed good(24, 2, 2, {}, [](int, int) { return Rgb24(red); });
    Surface s;
    EXPECT_EQ(s.dc->StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, nullptr, good.Info(), DIB_RGB_COLORS, SRCCOPY),
              GDI_ERROR);
    EXPECT_EQ(s.dc->StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, good.bits.data(), nullptr, DIB_RGB_COLORS, SRCCOPY),
              GDI_ERROR);
    auto refused = [&](const std::function<void(BITMAPINFOHEADER&)>& spoil) {
        Packed bad = good;
        spoil(bad.Info()->bmiHeader);
        return bad.Draw(*s.dc, 0, 0, 2, 2, 0, 0, 2, 2) == GDI_ERROR;
    };
    EXPECT_TRUE(refused([](BITMAPINFOHEADER& h) { h.biWidth = 0; }));
    EXPECT_TRUE(refused([](BITMAPINFOHEADER& h) { h.biWidth = -2; }));
    EXPECT_TRUE(refused([](BITMAPINFOHEADER& h) { h.biHeight = 0; }));
    EXPECT_TRUE(refused([](BITMAPINFOHEADER& h) { h.biBitCount = 7; }));
    EXPECT_TRUE(refused([](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }));
    EXPECT_TRUE(refused([](BITMAPINFOHEADER& h) { h.biSize = 12; }));
    EXPECT_EQ(s.At(0, 0), RGB(1, 2, 3));

    auto memory = std::make_unique<CDC>();
    ASSERT_TRUE(memory->CreateCompatibleDC(nullptr));
    EXPECT_EQ(good.Draw(*memory, 0, 0, 2, 2, 0, 0, 2, 2), GDI_ERROR) << "no bitmap selected: nowhere to draw";
}
