#include "platform/DC.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
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

DWORD Rgb24(COLORREF c) {
    return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
}

Packed Picture(int bitCount = 24) {
    return Packed(bitCount, 3, 2, {}, [](int x, int y) { return Rgb24(picture[y][x]); });
}

struct Surface {
    QImage image{8, 8, QImage::Format_RGB32};
    std::unique_ptr<CDC> dc = CDC::ForImage(&image);
    Surface() { image.fill(QColor(1, 2, 3)); }
    COLORREF At(int x, int y) const { return dc->GetPixel(x, y); }
    // Every pixel of the surface against want(x, y), where CLR_INVALID stands for untouched.
    void Expect(const std::function<COLORREF(int, int)>& want) const {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const COLORREF w = want(x, y);
                EXPECT_EQ(At(x, y), w == CLR_INVALID ? RGB(1, 2, 3) : w) << x << "," << y;
            }
    }
};

// The picture drawn 1:1 at 1, 1, or scaled by (sx, sy) from 0, 0 with negative factors mirroring.
COLORREF Placed(int x, int y, int sx, int sy, int at = 0) {
    x -= at, y -= at;
    const int w = 3 * std::abs(sx), h = 2 * std::abs(sy);
    if (x < 0 || y < 0 || x >= w || y >= h)
        return CLR_INVALID;
    const int px = (sx < 0 ? w - 1 - x : x) / std::abs(sx), py = (sy < 0 ? h - 1 - y : y) / std::abs(sy);
    return picture[py][px];
}

} // namespace

TEST(DCStretch, EveryBitCountDrawsThePicture) {
    const std::vector<COLORREF> table = {red, green, blue, white, grey};
    auto index = [&](int x, int y) {
        return DWORD(std::find(table.begin(), table.end(), picture[y][x]) - table.begin());
    };
    auto word555 = [](int x, int y) {
        const COLORREF c = picture[y][x];
        return DWORD(GetRValue(c) >> 3) << 10 | DWORD(GetGValue(c) >> 3) << 5 | DWORD(GetBValue(c) >> 3);
    };
    // Five bits a channel come back widened: 128 becomes 132.
    auto widened = [](COLORREF c) { return c == grey ? RGB(132, 132, 132) : c; };
    std::vector<Packed> bitmaps = {Picture(24), Picture(32), Packed(8, 3, 2, table, index, 5),
                                   Packed(4, 3, 2, table, index, 5), Packed(16, 3, 2, {}, word555)};
    for (Packed& bitmap : bitmaps) {
        const int bits = bitmap.Info()->bmiHeader.biBitCount;
        SCOPED_TRACE(bits);
        Surface s;
        ASSERT_EQ(bitmap.Draw(*s.dc, 1, 1, 3, 2, 0, 0, 3, 2), 2);
        s.Expect([&](int x, int y) {
            const COLORREF c = Placed(x, y, 1, 1, 1);
            return bits == 16 && c != CLR_INVALID ? widened(c) : c;
        });
    }
}

TEST(DCStretch, ColourTablesOfIndexedBitmaps) {
    Surface s;
    Packed mono(1, 9, 1, {blue, white}, [](int x, int) { return DWORD(x % 2); });
    ASSERT_EQ(mono.Draw(*s.dc, 0, 0, 8, 1, 0, 0, 8, 1), 1);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(s.At(x, 0), x % 2 ? white : blue);
    // Two colours declared and index 7 beyond them: black, nothing read past the table.
    Packed shortTable(
        8, 3, 1, {red, green}, [](int x, int) { return DWORD(x == 2 ? 7 : x); }, 2);
    ASSERT_EQ(shortTable.Draw(*s.dc, 0, 1, 3, 1, 0, 0, 3, 1), 1);
    EXPECT_EQ(s.At(0, 1), red);
    EXPECT_EQ(s.At(1, 1), green);
    EXPECT_EQ(s.At(2, 1), RGB(0, 0, 0));
    // Colours-used 0 means all 256.
    std::vector<COLORREF> full(256, white);
    full[200] = blue;
    Packed fullTable(
        8, 1, 1, full, [](int, int) { return DWORD(200); }, 0);
    ASSERT_EQ(fullTable.Draw(*s.dc, 0, 2, 1, 1, 0, 0, 1, 1), 1);
    EXPECT_EQ(s.At(0, 2), blue);
}

TEST(DCStretch, StretchingKeepsWholePixelsAndNegativeSizesMirror) {
    struct Case {
        int x, y, w, h, sx, sy;
    };
    for (Case c : {Case{0, 0, 6, 4, 2, 2}, Case{3, 0, -3, 2, -1, 1}, Case{0, 2, 3, -2, 1, -1},
                   Case{6, 4, -6, -4, -2, -2}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        Surface s;
        s.dc->SetStretchBltMode(COLORONCOLOR);
        ASSERT_EQ(Picture().Draw(*s.dc, c.x, c.y, c.w, c.h, 0, 0, 3, 2), 2);
        s.Expect([&](int x, int y) { return Placed(x, y, c.sx, c.sy); });
    }
}

TEST(DCStretch, HalftoneSmoothsEnlargementsButKeepsOneToOneExact) {
    Surface exact, smooth;
    exact.dc->SetStretchBltMode(HALFTONE);
    smooth.dc->SetStretchBltMode(HALFTONE);
    ASSERT_EQ(Picture().Draw(*exact.dc, 3, 0, -3, 2, 0, 0, 3, 2), 2);
    exact.Expect([](int x, int y) { return Placed(x, y, -1, 1); });
    ASSERT_EQ(Picture().Draw(*smooth.dc, 0, 0, 6, 4, 0, 0, 3, 2), 2);
    std::set<COLORREF> seen;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            seen.insert(smooth.At(x, y));
    EXPECT_GT(seen.size(), 5u) << "blended colours between the five of the picture";
}

TEST(DCStretch, SourceRectangleCountsRowsFromTheBottom) {
    // Four bands of two rows each, top to bottom: red, green, blue, white; as button pictures are stored.
    const COLORREF bands[] = {red, green, blue, white};
    Packed bitmap(24, 1, 8, {}, [&](int, int y) { return Rgb24(bands[y / 2]); });
    Surface s;
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 0, 1, 2, 0, 0, 1, 2), 2);
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 2, 1, 2, 0, 6, 1, 2), 2);
    ASSERT_EQ(bitmap.Draw(*s.dc, 0, 4, 1, 3, 0, 3, 1, 3), 3);
    const COLORREF want[] = {white, white, red, red, green, green, blue, RGB(1, 2, 3)};
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(s.At(0, y), want[y]) << y;
}

TEST(DCStretch, SourceBeyondTheBitmapDrawsOnlyTheOverlap) {
    Surface s;
    ASSERT_EQ(Picture().Draw(*s.dc, 0, 0, 6, 6, -3, -4, 6, 6), 6);
    s.Expect([](int x, int y) { return Placed(x - 3, y, 1, 1); });
    constexpr int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    for (int v : {big, small}) {
        Picture().Draw(*s.dc, v, v, v, v, 0, 0, 3, 2);
        Picture().Draw(*s.dc, 0, 0, 3, 2, v, v, v, v);
        Picture().Draw(*s.dc, 0, 0, v, v, 0, 0, 1, 1);
    }
}

// A 1:1 copy of 24-bit rows onto a window's surface is done without Qt's drawing; it must place and clip
// exactly as drawing through a painter does, bottom-up or top-down, for rows of any padding.
TEST(DCStretch, OneToOneCopiesPlaceAndClipAsPaintingDoes) {
    for (int height : {4, -4}) {
        Packed bitmap(24, 5, 4, {}, [](int x, int y) { return DWORD(0x102030 * (x + 1) + 0x050403 * y); });
        bitmap.Info()->bmiHeader.biHeight = height;
        const struct {
            int x, y, w, h, xs, ys;
        } rects[] = {{1, 1, 5, 4, 0, 0}, {0, 0, 3, 2, 2, 1},   {-2, -1, 5, 4, 0, 0},
                     {5, 6, 5, 4, 0, 0}, {2, 2, 6, 6, -1, -2}, {0, 0, 5, 4, 4, 3}};
        for (const auto& r : rects) {
            SCOPED_TRACE(testing::Message()
                         << height << ": " << r.x << "," << r.y << " from " << r.xs << "," << r.ys);
            Surface copied, painted;
            QPainter painter(&painted.image);
            auto page = CDC::ForPainter(&painter, 8, 8, 96, 96);
            EXPECT_EQ(bitmap.Draw(*copied.dc, r.x, r.y, r.w, r.h, r.xs, r.ys, r.w, r.h),
                      bitmap.Draw(*page, r.x, r.y, r.w, r.h, r.xs, r.ys, r.w, r.h));
            painter.end();
            copied.Expect([&](int x, int y) { return painted.At(x, y); });
        }
    }
}

TEST(DCStretch, DrawsThroughAPainterThatIsAlreadyActive) {
    Surface page;
    {
        QPainter painter(&page.image);
        painter.translate(1, 1); // the page owner's own placement stays in force
        auto dc = CDC::ForPainter(&painter, 8, 8, 300, 300);
        ASSERT_EQ(Picture().Draw(*dc, 0, 0, 3, 2, 0, 0, 3, 2), 2);
        EXPECT_EQ(dc->GetPixel(0, 0), CLR_INVALID) << "a page cannot be read back";
    }
    page.Expect([](int x, int y) { return Placed(x, y, 1, 1, 1); });
}

TEST(DCStretch, BadBitmapsAreRefusedWithoutDrawing) {
    Packed good = Picture();
    Surface s;
    EXPECT_EQ(s.dc->StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, nullptr, good.Info(), DIB_RGB_COLORS, SRCCOPY),
              GDI_ERROR);
    EXPECT_EQ(s.dc->StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, good.bits.data(), nullptr, DIB_RGB_COLORS, SRCCOPY),
              GDI_ERROR);
    for (auto spoil : std::vector<std::function<void(BITMAPINFOHEADER&)>>{
             [](auto& h) { h.biWidth = 0; }, [](auto& h) { h.biWidth = -2; }, [](auto& h) { h.biHeight = 0; },
             [](auto& h) { h.biBitCount = 7; }, [](auto& h) { h.biCompression = BI_RLE8; },
             [](auto& h) { h.biSize = 12; }}) {
        Packed bad = good;
        spoil(bad.Info()->bmiHeader);
        EXPECT_EQ(bad.Draw(*s.dc, 0, 0, 2, 2, 0, 0, 2, 2), GDI_ERROR);
    }
    s.Expect([](int, int) { return CLR_INVALID; });

    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    EXPECT_EQ(good.Draw(memory, 0, 0, 2, 2, 0, 0, 2, 2), GDI_ERROR) << "no bitmap selected: nowhere to draw";
}
