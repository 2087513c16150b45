#include "platform/DC.h"

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace {

constexpr COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), red = RGB(255, 0, 0),
                   blue = RGB(0, 0, 255), face = RGB(10, 20, 30);

// A window-like surface and a context on it.
struct Surface {
    QImage image;
    std::unique_ptr<CDC> dc;
    Surface(int w, int h, COLORREF fill = face) : image(w, h, QImage::Format_RGB32) {
        image.fill(QColor(GetRValue(fill), GetGValue(fill), GetBValue(fill)));
        dc = CDC::ForImage(&image);
    }
    std::set<COLORREF> Colours(const RECT& outside = {}) const {
        std::set<COLORREF> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!PtInRect(outside, {x, y}))
                    colours.insert(dc->GetPixel(x, y));
        return colours;
    }
};

LOGFONT Font(LONG height, BYTE quality = 0) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = FW_BOLD;
    lf.lfQuality = quality;
    return lf;
}

} // namespace

TEST(DC, SurfaceKeepsWhatAnyOfItsContextsDrew) {
    Surface s(10, 10);
    int released = 0;
    {
        auto first = CDC::ForImage(&s.image, [&] { ++released; });
        first->FillSolidRect({1, 1, 4, 3}, red);
        s.dc->FillSolidRect({3, 2, 6, 6}, blue);   // while the first context is still alive
        first->FillSolidRect({0, 0, 0, 5}, white); // empty: nothing
        EXPECT_EQ(first->GetPixel(3, 2), blue);
        EXPECT_EQ(s.dc->GetPixel(2, 2), red);
        EXPECT_EQ(first->GetPixel(0, 0), face);
        EXPECT_EQ(first->GetPixel(-1, 0), CLR_INVALID);
        EXPECT_EQ(first->GetPixel(10, 0), CLR_INVALID);
        EXPECT_EQ(released, 0);
    }
    EXPECT_EQ(released, 1) << "releasing the context tells the window";
    EXPECT_EQ(s.image.pixel(5, 5), qRgb(0, 0, 255));
}

TEST(DC, ExtremeCoordinatesAreClippedNotOverflowed) {
    constexpr LONG lo = std::numeric_limits<LONG>::min(), hi = std::numeric_limits<LONG>::max();
    Surface s(8, 8);
    RECT all{lo, lo, hi, hi};
    s.dc->FillSolidRect(all, red);
    EXPECT_EQ(s.Colours(), std::set<COLORREF>{red});
    s.dc->DrawFocusRect(&all);
    s.dc->DrawEdge(&all, EDGE_SUNKEN, BF_RECT);
    s.dc->DrawText("x", &all, DT_WORDBREAK);
    s.dc->DrawText("x", &all, DT_CALCRECT | DT_WORDBREAK);
    s.dc->ExtTextOut(hi, hi, ETO_CLIPPED, &all, "x");
    const POINT far[] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
    s.dc->Polygon(far, 4);
    EXPECT_EQ(s.Colours(), std::set<COLORREF>{white}) << "the default white brush covers it all";
}

TEST(DC, FocusRectangleInvertsEveryOtherBorderPixelAndUndoesItself) {
    for (RECT r : {RECT{2, 3, 12, 9}, RECT{-3, -2, 5, 20}, RECT{4, 4, 5, 10}, RECT{1, 6, 15, 7}}) {
        SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
        Surface s(14, 12);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 14; ++x)
                s.image.setPixel(x, y, qRgb(x * 17, y * 19, (x * y) & 0xFF));
        const QImage before = s.image;
        s.dc->DrawFocusRect(&r);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 14; ++x) {
                const bool border = PtInRect(r, {x, y}) &&
                                    (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
                const bool dotted = border && (x + y) % 2 == 0;
                EXPECT_EQ(s.image.pixel(x, y), before.pixel(x, y) ^ (dotted ? 0xFFFFFF : 0)) << x << "," << y;
            }
        s.dc->DrawFocusRect(&r);
        EXPECT_EQ(s.image, before);
    }
}

TEST(DC, EdgesUseThePlatformColoursTwoPixelsDeep) {
    constexpr COLORREF hi = RGB(255, 255, 255), lt = RGB(227, 227, 227), sh = RGB(160, 160, 160),
                       dk = RGB(105, 105, 105);
    struct Case {
        UINT edge;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    for (Case c : {Case{EDGE_RAISED, lt, dk, hi, sh}, Case{EDGE_SUNKEN, sh, hi, dk, lt},
                   Case{EDGE_ETCHED, sh, hi, hi, sh}}) {
        SCOPED_TRACE(c.edge);
        Surface s(10, 8);
        RECT r{1, 1, 9, 7};
        ASSERT_TRUE(s.dc->DrawEdge(&r, c.edge, BF_RECT));
        EXPECT_EQ(r, (RECT{1, 1, 9, 7}));
        // Each ring: top and left in one colour, bottom and right (with their far corners) in the other.
        for (int ring = 0; ring < 2; ++ring) {
            const int l = 1 + ring, t = 1 + ring, rt = 8 - ring, b = 6 - ring;
            const COLORREF topLeft = ring ? c.innerTopLeft : c.outerTopLeft;
            const COLORREF bottomRight = ring ? c.innerBottomRight : c.outerBottomRight;
            for (int x = l; x <= rt; ++x) {
                EXPECT_EQ(s.dc->GetPixel(x, t), x < rt ? topLeft : bottomRight) << x;
                EXPECT_EQ(s.dc->GetPixel(x, b), bottomRight) << x;
            }
            for (int y = t; y < b; ++y) {
                EXPECT_EQ(s.dc->GetPixel(l, y), topLeft) << y;
                EXPECT_EQ(s.dc->GetPixel(rt, y), bottomRight) << y;
            }
        }
        EXPECT_EQ(s.Colours({1, 1, 9, 7}), std::set<COLORREF>{face});
        EXPECT_EQ(s.dc->GetPixel(3, 3), face);
    }
    Surface s(6, 6);
    RECT r{0, 0, 6, 6};
    s.dc->DrawEdge(&r, EDGE_RAISED, BF_TOP | BF_LEFT);
    EXPECT_EQ(s.dc->GetPixel(5, 0), lt) << "without a right side the top runs to the end";
    EXPECT_EQ(s.dc->GetPixel(1, 5), hi);
    EXPECT_EQ(s.dc->GetPixel(5, 5), face);
}

TEST(DC, PolygonFillsAndOutlinesWithHardEdges) {
    Surface s(20, 20, white);
    CPen pen(PS_SOLID, 1, blue), none(PS_NULL, 1, 0);
    CBrush brush(red);
    s.dc->SelectObject(&pen);
    s.dc->SelectObject(&brush);
    const POINT triangle[] = {{2, 2}, {17, 2}, {9, 16}};
    ASSERT_TRUE(s.dc->Polygon(triangle, 3));
    EXPECT_EQ(s.dc->GetPixel(9, 2), blue);
    EXPECT_EQ(s.dc->GetPixel(9, 6), red);
    EXPECT_EQ(s.dc->GetPixel(1, 10), white);
    EXPECT_EQ(s.Colours(), (std::set<COLORREF>{white, red, blue}));

    s.dc->SelectObject(&none);
    const POINT square[] = {{0, 18}, {4, 18}, {4, 20}, {0, 20}};
    ASSERT_TRUE(s.dc->Polygon(square, 4));
    EXPECT_EQ(s.Colours({0, 17, 6, 20}), (std::set<COLORREF>{white, red, blue}));
    EXPECT_EQ(s.dc->GetPixel(0, 18), red) << "no pen, no outline";

    s.dc->SelectObject(&pen);
    const POINT line[] = {{0, 0}, {5, 0}};
    ASSERT_TRUE(s.dc->Polyline(line, 2));
    EXPECT_EQ(s.dc->GetPixel(3, 0), blue);
}

TEST(DC, TextIsUnsmoothedUnlessAskedAndStaysInItsRectangle) {
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "Text&s ";
    for (BYTE quality : {BYTE(0), ANTIALIASED_QUALITY}) {
        Surface s(200, 60, white);
        CFont font;
        const LOGFONT lf = Font(-20, quality);
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        s.dc->SelectObject(&font);
        s.dc->SetBkMode(TRANSPARENT);
        RECT r{10, 5, 190, 45};
        EXPECT_GT(s.dc->DrawText(text, &r, DT_CENTER | DT_WORDBREAK), 0);
        EXPECT_EQ(s.Colours(r), std::set<COLORREF>{white}) << "cut at the rectangle";
        if (quality)
            EXPECT_GT(s.Colours().size(), 2u) << "asked-for antialiasing smooths";
        else
            EXPECT_EQ(s.Colours(), (std::set<COLORREF>{black, white}));
    }
}

TEST(DC, OpaqueTextFillsBehindTheGlyphsAndClips) {
    Surface s(120, 30, white);
    s.dc->SetBkColor(red);
    s.dc->SetTextColor(blue);
    const RECT clip{0, 0, 30, 30};
    ASSERT_TRUE(s.dc->ExtTextOut(2, 2, ETO_CLIPPED, &clip, "Hi there"));
    EXPECT_EQ(s.Colours(), (std::set<COLORREF>{white, red, blue}));
    EXPECT_EQ(s.Colours(clip), std::set<COLORREF>{white});
}

TEST(DC, MeasuringWrapsWithinTheWidth) {
    Surface s(10, 10);
    const SIZE one = s.dc->GetTextExtent("Word");
    EXPECT_GT(one.cy, 8) << "the default font is about 13 pixels";
    EXPECT_LT(one.cy, 24);

    RECT shortText{5, 7, 305, 400};
    EXPECT_EQ(s.dc->DrawText("Word", &shortText, DT_CALCRECT | DT_WORDBREAK), one.cy);
    EXPECT_EQ(shortText, (RECT{5, 7, 5 + one.cx, 7 + one.cy}));

    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "Word ";
    RECT wrapped{0, 0, 300, 10}, oneLine{0, 0, 300, 10};
    s.dc->DrawText(longText, &wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_LE(wrapped.right, 300);
    EXPECT_GE(wrapped.bottom, 3 * one.cy) << "more lines than the rectangle was high";
    s.dc->DrawText(longText, &oneLine, DT_CALCRECT);
    EXPECT_GT(oneLine.right, 300) << "without word breaks a line is as long as it is";
    EXPECT_EQ(oneLine.bottom, one.cy);

    RECT prefix{}, plain{};
    s.dc->DrawText("A&&B", &prefix, DT_CALCRECT);
    s.dc->DrawText("A&&B", &plain, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_LT(prefix.right, plain.right) << "two ampersands stand for one unless prefixes are off";
}

TEST(DC, FontHeightsFollowTheRecord) {
    auto cell = [](LONG height) {
        CFont font;
        const LOGFONT lf = Font(height);
        font.CreateFontIndirect(&lf);
        Surface s(4, 4);
        s.dc->SelectObject(&font);
        return s.dc->GetTextExtent("Xg").cy;
    };
    EXPECT_NEAR(cell(40), 40, 2) << "positive: the cell height";
    EXPECT_GT(cell(-40), 42) << "negative: the character height, so the cell is taller";
    EXPECT_FALSE(CFont().CreateFontIndirect(nullptr));
}

TEST(DC, MemoryContextDrawsIntoItsBitmap) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    for (SIZE bad : {SIZE{0, 5}, SIZE{5, -1}, SIZE{CBitmap::maxSide + 1, 5}})
        EXPECT_FALSE(bitmap.CreateCompatibleBitmap(&dc, bad.cx, bad.cy));
    EXPECT_FALSE(bitmap.IsCreated());
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 6, 4));
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID) << "nothing selected yet";
    EXPECT_EQ(dc.SelectObject(&bitmap), nullptr);
    EXPECT_EQ(dc.GetPixel(5, 3), black) << "starts black";
    dc.FillSolidRect({1, 1, 3, 3}, red);
    EXPECT_EQ(bitmap.GetSurface()->pixel(2, 2), qRgb(255, 0, 0));

    Surface window(2, 2);
    EXPECT_EQ(window.dc->SelectObject(&bitmap), nullptr) << "a window context holds no bitmap";
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_EQ(dc.GetPixel(2, 2), CLR_INVALID);
}

TEST(DC, DeviceFactsOfScreenAndPrinter) {
    Surface screen(4, 4);
    setenv("QUIMBLE_SCREEN_COLORS", "256", 1);
    EXPECT_EQ(screen.dc->GetDeviceCaps(NUMCOLORS), 256);
    EXPECT_TRUE(screen.dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    unsetenv("QUIMBLE_SCREEN_COLORS");
    EXPECT_EQ(screen.dc->GetDeviceCaps(NUMCOLORS), -1) << "the offscreen screen has true colour";
    EXPECT_FALSE(screen.dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);

    Surface page(30, 40, white);
    QPainter painter(&page.image);
    {
        auto printer = CDC::ForPainter(&painter, 300, 400, 600, 300);
        EXPECT_TRUE(printer->IsPrinting());
        EXPECT_EQ(printer->GetDeviceCaps(NUMCOLORS), -1);
        EXPECT_EQ(printer->GetDeviceCaps(HORZRES), 300);
        EXPECT_EQ(printer->GetDeviceCaps(LOGPIXELSY), 300);
        printer->FillSolidRect({0, 0, 10, 10}, red);
    }
    EXPECT_TRUE(painter.isActive()) << "the page's painter belongs to its owner";
    painter.end();
    EXPECT_EQ(page.image.pixel(5, 5), qRgb(255, 0, 0));
}
