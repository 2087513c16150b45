#include "platform/DC.h"

#include "platform/Palette.h"

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), red = RGB(255, 0, 0),
                   blue = RGB(0, 0, 255);

QImage Blank(int w, int h, QColor colour = QColor(10, 20, 30)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::set<COLORREF> Colours(const CDC& dc, int w, int h) {
    std::set<COLORREF> colours;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            colours.insert(dc.GetPixel(x, y));
    return colours;
}

} // namespace

TEST(DC, SurfaceKeepsWhatAnyOfItsContextsDrew) {
    QImage image = Blank(10, 10);
    int released = 0;
    {
        auto first = CDC::ForImage(&image, [&] { ++released; });
        auto second = CDC::ForImage(&image);
        first->FillSolidRect({1, 1, 4, 3}, red);
        second->FillSolidRect({3, 2, 6, 6}, blue); // while the first context is still alive
        first->FillSolidRect({0, 0, 0, 5}, white); // empty: nothing
        EXPECT_EQ(first->GetPixel(1, 1), red);
        EXPECT_EQ(first->GetPixel(3, 2), blue);
        EXPECT_EQ(second->GetPixel(2, 2), red);
        EXPECT_EQ(first->GetPixel(0, 0), RGB(10, 20, 30));
        EXPECT_EQ(first->GetPixel(-1, 0), CLR_INVALID);
        EXPECT_EQ(first->GetPixel(10, 0), CLR_INVALID);
        EXPECT_EQ(released, 0);
    }
    EXPECT_EQ(released, 1) << "releasing the context tells the window";
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 255));
}

TEST(DC, FocusRectangleInvertsEveryOtherBorderPixelAndUndoesItself) {
    for (RECT r : {RECT{2, 3, 12, 9}, RECT{-3, -2, 5, 20}, RECT{4, 4, 5, 10}, RECT{1, 6, 15, 7}}) {
        SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
        QImage image(14, 12, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 17, y * 19, (x * y) & 0xFF));
        const QImage before = image;
        auto dc = CDC::ForImage(&image);
        dc->DrawFocusRect(&r);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool border = PtInRect(r, {x, y}) &&
                                    (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
                const bool dotted = border && (x + y) % 2 == 0;
                const QRgb want = dotted ? before.pixel(x, y) ^ 0xFFFFFF : before.pixel(x, y);
                EXPECT_EQ(image.pixel(x, y), want) << x << "," << y;
            }
        dc->DrawFocusRect(&r);
        EXPECT_EQ(image, before);
    }
}

TEST(DC, EdgesUseThePlatformColoursTwoPixelsDeep) {
    constexpr COLORREF hi = RGB(255, 255, 255), lt = RGB(227, 227, 227), sh = RGB(160, 160, 160),
                       dk = RGB(105, 105, 105), face = RGB(10, 20, 30);
    struct Case {
        UINT edge;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    for (Case c : {Case{EDGE_RAISED, lt, dk, hi, sh}, Case{EDGE_SUNKEN, sh, hi, dk, lt},
                   Case{EDGE_ETCHED, sh, hi, hi, sh}}) {
        SCOPED_TRACE(c.edge);
        QImage image = Blank(10, 8);
        auto dc = CDC::ForImage(&image);
        RECT r{1, 1, 9, 7};
        ASSERT_TRUE(dc->DrawEdge(&r, c.edge, BF_RECT));
        EXPECT_EQ(r, (RECT{1, 1, 9, 7}));
        EXPECT_EQ(dc->GetPixel(1, 1), c.outerTopLeft);
        EXPECT_EQ(dc->GetPixel(4, 1), c.outerTopLeft);
        EXPECT_EQ(dc->GetPixel(1, 4), c.outerTopLeft);
        EXPECT_EQ(dc->GetPixel(8, 6), c.outerBottomRight);
        EXPECT_EQ(dc->GetPixel(8, 1), c.outerBottomRight) << "top-right corner belongs to the right side";
        EXPECT_EQ(dc->GetPixel(1, 6), c.outerBottomRight) << "bottom-left corner belongs to the bottom";
        EXPECT_EQ(dc->GetPixel(2, 2), c.innerTopLeft);
        EXPECT_EQ(dc->GetPixel(5, 2), c.innerTopLeft);
        EXPECT_EQ(dc->GetPixel(7, 5), c.innerBottomRight);
        EXPECT_EQ(dc->GetPixel(7, 2), c.innerBottomRight);
        EXPECT_EQ(dc->GetPixel(3, 3), face);
        EXPECT_EQ(dc->GetPixel(0, 0), face);
        EXPECT_EQ(dc->GetPixel(9, 7), face);
    }
    QImage image = Blank(6, 6);
    auto dc = CDC::ForImage(&image);
    RECT r{0, 0, 6, 6};
    dc->DrawEdge(&r, EDGE_RAISED, BF_TOP | BF_LEFT);
    EXPECT_EQ(dc->GetPixel(5, 0), lt) << "without a right side the top runs to the end";
    EXPECT_EQ(dc->GetPixel(5, 5), face);
    EXPECT_EQ(dc->GetPixel(1, 5), hi);
}

TEST(DC, PolygonFillsAndOutlinesWithHardEdges) {
    QImage image = Blank(20, 20, Qt::white);
    auto dc = CDC::ForImage(&image);
    CPen pen(PS_SOLID, 1, blue);
    CBrush brush(red);
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    const POINT triangle[] = {{2, 2}, {17, 2}, {9, 16}};
    ASSERT_TRUE(dc->Polygon(triangle, 3));
    EXPECT_EQ(dc->GetPixel(9, 2), blue);
    EXPECT_EQ(dc->GetPixel(9, 6), red);
    EXPECT_EQ(dc->GetPixel(1, 10), white);
    EXPECT_EQ(Colours(*dc, 20, 20), (std::set<COLORREF>{white, red, blue}));

    CPen none(PS_NULL, 1, 0);
    dc->SelectObject(&none);
    const POINT square[] = {{0, 18}, {4, 18}, {4, 20}, {0, 20}};
    ASSERT_TRUE(dc->Polygon(square, 4));
    EXPECT_EQ(dc->GetPixel(1, 19), red);
    EXPECT_EQ(Colours(*dc, 20, 20), (std::set<COLORREF>{white, red, blue}));

    dc->SelectObject(&pen);
    const POINT line[] = {{0, 0}, {5, 0}};
    ASSERT_TRUE(dc->Polyline(line, 2));
    EXPECT_EQ(dc->GetPixel(3, 0), blue);
    EXPECT_FALSE(dc->Polyline(line, 1));
    EXPECT_FALSE(dc->Polygon(nullptr, 3));
}

TEST(DC, TextWithoutAntialiasingHasOnlyTheTextAndBackgroundColours) {
    QImage image = Blank(200, 60, Qt::white);
    auto dc = CDC::ForImage(&image);
    LOGFONT lf;
    lf.lfHeight = -24;
    lf.lfWeight = FW_BOLD;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(black);
    RECT r{0, 0, 200, 60};
    EXPECT_GT(dc->DrawText("Quimble &Text", &r, DT_LEFT | DT_WORDBREAK), 0);
    EXPECT_EQ(Colours(*dc, 200, 60), (std::set<COLORREF>{black, white}));

    QImage smooth = Blank(200, 60, Qt::white);
    auto smoothDc = CDC::ForImage(&smooth);
    lf.lfQuality = ANTIALIASED_QUALITY;
    CFont smoothFont;
    ASSERT_TRUE(smoothFont.CreateFontIndirect(&lf));
    smoothDc->SelectObject(&smoothFont);
    smoothDc->SetBkMode(TRANSPARENT);
    smoothDc->DrawText("Quimble Text", &r, DT_LEFT);
    EXPECT_GT(Colours(*smoothDc, 200, 60).size(), 2u) << "asked-for antialiasing smooths";
}

TEST(DC, OpaqueTextFillsBehindTheGlyphs) {
    QImage image = Blank(120, 30, Qt::white);
    auto dc = CDC::ForImage(&image);
    dc->SetBkColor(red);
    dc->SetTextColor(blue);
    ASSERT_TRUE(dc->ExtTextOut(2, 2, 0, nullptr, "Hi there"));
    EXPECT_EQ(Colours(*dc, 120, 30), (std::set<COLORREF>{white, red, blue}));

    QImage clipped = Blank(120, 30, Qt::white);
    auto clippedDc = CDC::ForImage(&clipped);
    clippedDc->SetBkColor(red);
    const RECT clip{0, 0, 6, 30};
    clippedDc->ExtTextOut(2, 2, ETO_CLIPPED, &clip, "Hi there");
    for (int y = 0; y < 30; ++y)
        for (int x = 6; x < 120; ++x)
            ASSERT_EQ(clippedDc->GetPixel(x, y), white) << x << "," << y;
}

TEST(DC, WrappedTextIsCutAtTheRectangle) {
    QImage image = Blank(120, 60, Qt::white);
    auto dc = CDC::ForImage(&image);
    dc->SetBkMode(TRANSPARENT);
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "text ";
    RECT r{10, 5, 110, 25};
    dc->DrawText(text, &r, DT_CENTER | DT_WORDBREAK);
    EXPECT_GT(Colours(*dc, 120, 60).size(), 1u);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            if (!PtInRect(r, {x, y})) {
                ASSERT_EQ(dc->GetPixel(x, y), white) << x << "," << y;
            }
}

TEST(DC, MeasuringWrapsWithinTheWidth) {
    QImage image = Blank(10, 10);
    auto dc = CDC::ForImage(&image);
    const SIZE one = dc->GetTextExtent("Word");
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(one.cy, 8) << "the default font is about 13 pixels";
    EXPECT_LT(one.cy, 24);

    RECT shortText{5, 7, 305, 400};
    const int height = dc->DrawText("Word", &shortText, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(shortText, (RECT{5, 7, 5 + one.cx, 7 + one.cy}));
    EXPECT_EQ(height, one.cy);

    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "Word ";
    RECT wrapped{0, 0, 300, 10};
    dc->DrawText(longText, &wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_LE(wrapped.right, 300);
    EXPECT_GE(wrapped.bottom, 3 * one.cy) << "more lines than the rectangle was high";

    RECT oneLine{0, 0, 300, 10};
    dc->DrawText(longText, &oneLine, DT_CALCRECT);
    EXPECT_GT(oneLine.right, 300) << "without word breaks a line is as long as it is";
    EXPECT_EQ(oneLine.bottom, one.cy);

    RECT prefix{0, 0, 300, 10}, plain{0, 0, 300, 10};
    dc->DrawText("A&&B", &prefix, DT_CALCRECT);
    dc->DrawText("A&&B", &plain, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_LT(prefix.right, plain.right) << "two ampersands stand for one unless prefixes are off";
}

TEST(DC, FontHeightsFollowTheRecord) {
    auto height = [](LONG lfHeight) {
        LOGFONT lf;
        lf.lfHeight = lfHeight;
        CFont font;
        font.CreateFontIndirect(&lf);
        QImage image = Blank(4, 4);
        auto dc = CDC::ForImage(&image);
        dc->SelectObject(&font);
        return dc->GetTextExtent("Xg").cy;
    };
    EXPECT_NEAR(height(40), 40, 2) << "positive: the cell height";
    EXPECT_GT(height(-40), 42) << "negative: the character height, so the cell is taller";
    EXPECT_FALSE(CFont().CreateFontIndirect(nullptr));
}

TEST(DC, MemoryContextDrawsIntoItsBitmap) {
    auto dc = std::make_unique<CDC>();
    ASSERT_TRUE(dc->CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(dc.get(), 0, 5));
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(dc.get(), 5, -1));
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(dc.get(), CBitmap::maxSide + 1, 5));
    EXPECT_FALSE(bitmap.IsCreated());
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc.get(), 6, 4));
    EXPECT_EQ(dc->GetPixel(0, 0), CLR_INVALID) << "nothing selected yet";
    EXPECT_EQ(dc->SelectObject(&bitmap), nullptr);
    EXPECT_EQ(dc->GetPixel(5, 3), black) << "starts black";
    dc->FillSolidRect({1, 1, 3, 3}, red);
    EXPECT_EQ(bitmap.GetSurface()->pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(6, 0), CLR_INVALID);

    QImage image = Blank(2, 2);
    EXPECT_EQ(CDC::ForImage(&image)->SelectObject(&bitmap), nullptr) << "a window context holds no bitmap";
    EXPECT_TRUE(dc->DeleteDC());
    EXPECT_EQ(dc->GetPixel(0, 0), CLR_INVALID);
}

TEST(DC, DeviceFactsOfScreenAndPrinter) {
    QImage image = Blank(4, 4);
    auto screen = CDC::ForImage(&image);
    setenv("QUIMBLE_SCREEN_COLORS", "256", 1);
    EXPECT_EQ(screen->GetDeviceCaps(NUMCOLORS), 256);
    EXPECT_EQ(screen->GetDeviceCaps(BITSPIXEL), 8);
    EXPECT_EQ(screen->GetDeviceCaps(SIZEPALETTE), 256);
    EXPECT_TRUE(screen->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    unsetenv("QUIMBLE_SCREEN_COLORS");
    EXPECT_EQ(screen->GetDeviceCaps(NUMCOLORS), -1) << "the offscreen screen has true colour";
    EXPECT_EQ(screen->GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_FALSE(screen->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(screen->GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_FALSE(screen->IsPrinting());

    CPalette palette;
    LOGPALETTE description{0x300, 1, {{1, 2, 3, 0}}};
    ASSERT_TRUE(palette.CreatePalette(&description));
    EXPECT_EQ(screen->RealizePalette(), 0u);
    EXPECT_EQ(screen->SelectPalette(&palette, TRUE), nullptr);
    EXPECT_EQ(screen->RealizePalette(), 1u);

    QImage page = Blank(300, 400, Qt::white);
    QPainter painter(&page);
    {
        auto printer = CDC::ForPainter(&painter, 300, 400, 600, 300);
        EXPECT_TRUE(printer->IsPrinting());
        EXPECT_EQ(printer->GetDeviceCaps(NUMCOLORS), -1);
        EXPECT_EQ(printer->GetDeviceCaps(HORZRES), 300);
        EXPECT_EQ(printer->GetDeviceCaps(VERTRES), 400);
        EXPECT_EQ(printer->GetDeviceCaps(LOGPIXELSX), 600);
        EXPECT_EQ(printer->GetDeviceCaps(LOGPIXELSY), 300);
        printer->FillSolidRect({0, 0, 10, 10}, red);
    }
    EXPECT_TRUE(painter.isActive()) << "the page's painter belongs to its owner";
    painter.end();
    EXPECT_EQ(page.pixel(5, 5), qRgb(255, 0, 0));
}
