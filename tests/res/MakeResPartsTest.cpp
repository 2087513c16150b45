// The resource tool's parts: trimming of clip art and its ground, the BMP writers, and the help texts.

#include "AppIconPainter.h"
#include "BmpOut.h"
#include "ContentConverter.h"
#include "HelpBook.h"
#include "Look.h"
#include "imaging/DIB.h"
#include "support/TempDir.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QImage Clear(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

TEST(ClipArt, TrimKeepsTheCoveredBoxAndGivesNothingForAnEmptyPicture) {
    QImage image = Clear(40, 30);
    image.setPixel(5, 7, qRgba(255, 0, 0, 255));
    image.setPixel(20, 12, qRgba(0, 255, 0, 200));
    image.setPixel(30, 25, qRgba(0, 0, 255, 5)); // too faint to count
    const QImage trimmed = CContentConverter::Trim(image);
    EXPECT_EQ(trimmed.size(), QSize(16, 6));
    EXPECT_EQ(trimmed.pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_TRUE(CContentConverter::Trim(Clear(8, 8)).isNull());
}

TEST(ClipArt, UncoveredPixelsTurnWhiteAndCoveredOnesKeepTheirColourAndCoverage) {
    QImage image = Clear(4, 2);
    image.setPixel(0, 0, qRgba(200, 40, 10, 255));
    image.setPixel(1, 0, qRgba(10, 40, 200, 128));
    image.setPixel(2, 0, qRgba(10, 40, 200, 1));
    image.setPixel(3, 1, qRgba(0, 0, 0, 0));
    CContentConverter::PutOnWhite(image);
    EXPECT_EQ(image.pixel(0, 0), qRgba(200, 40, 10, 255));
    EXPECT_EQ(image.pixel(1, 0), qRgba(10, 40, 200, 128)) << "a soft edge keeps the figure's colour";
    EXPECT_EQ(image.pixel(2, 0), qRgba(10, 40, 200, 1));
    EXPECT_EQ(image.pixel(3, 0), qRgba(255, 255, 255, 0));
    EXPECT_EQ(image.pixel(3, 1), qRgba(255, 255, 255, 0));
}

TEST(BmpOut, PicturesAndCompanionsReadBackTheRightWayUp) {
    TempDir dir;
    QImage image = Clear(5, 3);
    image.setPixel(0, 0, qRgba(250, 20, 30, 255));
    image.setPixel(4, 2, qRgba(10, 220, 40, 77));
    ASSERT_TRUE(bmpout::Write24(image, QString::fromStdString(dir.Join("i.bmp"))));
    ASSERT_TRUE(bmpout::WriteCoverage(image, QString::fromStdString(dir.Join("a.bmp"))));

    CDIB picture, coverage;
    ASSERT_TRUE(picture.Load(dir.Join("i.bmp")));
    ASSERT_TRUE(coverage.Load(dir.Join("a.bmp")));
    EXPECT_EQ(picture.BitCount(), 24);
    EXPECT_EQ(coverage.BitCount(), 8);
    ASSERT_TRUE(picture.BeginPixelAccess() && coverage.BeginPixelAccess());
    const BYTE* topLeft = picture.PixelAddress(0, 0);
    EXPECT_EQ(topLeft[0], 30); // blue, green, red
    EXPECT_EQ(topLeft[2], 250);
    EXPECT_EQ(*coverage.PixelAddress(4, 2), 77);
    EXPECT_EQ(*coverage.PixelAddress(0, 0), 255);
    EXPECT_EQ(*coverage.PixelAddress(1, 1), 0);
}

TEST(BmpOut, EightBitPicturesUseTheTableAndKeepTheMeanColourOfAGradient) {
    TempDir dir;
    const QVector<QRgb> table = look::GeneralPalette();
    ASSERT_EQ(table.size(), 256);
    QImage gradient(256, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 256; ++x)
            gradient.setPixel(x, y, qRgb(x, 128, 255 - x / 2));
    ASSERT_TRUE(bmpout::Write8(gradient, table, QString::fromStdString(dir.Join("g.bmp"))));
    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Join("g.bmp")));
    ASSERT_EQ(dib.BitCount(), 8);
    ASSERT_TRUE(dib.BeginPixelAccess());
    // Dithered, a column band keeps its colour on average: no bands of a wrong colour.
    for (int x0 = 0; x0 < 256; x0 += 32) {
        double red = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = x0; x < x0 + 32; ++x)
                red += qRed(table[*dib.PixelAddress(x, y)]);
        EXPECT_NEAR(red / (16 * 32), x0 + 15.5, 6) << x0;
    }
}

// Desktops show the icon on any ground: the tile's rounded corners stay clear and its middle is solid, at
// every size the install puts in place.
TEST(AppIcon, EverySizeIsASquareTileWithClearCornersAndASolidMiddle) {
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon = CAppIconPainter::Paint(size);
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
}

TEST(HelpBook, ReadsPagesFootersAndEveryKindOfLine) {
    TempDir dir;
    const std::string text = "# comment\n@next Go on.\n@last Done.\n"
                             "== screen\nTitle one\nIntro text.\n\n1. First part\n12. Twelfth\n"
                             "- A bullet\n[save] Saves it\nSwitch on [move] Move now.\n"
                             "== list\n\nTitle two\n[eye] Hides\n";
    CHelpBook book;
    ASSERT_TRUE(book.Load(QString::fromStdString(dir.Write("help.txt", text))));
    EXPECT_EQ(book.next, "Go on.");
    EXPECT_EQ(book.last, "Done.");
    ASSERT_EQ(book.pages.size(), 2);
    const CHelpBook::Page& page = book.pages[0];
    EXPECT_EQ(page.figure, "screen");
    EXPECT_EQ(page.title, "Title one");
    ASSERT_EQ(page.lines.size(), 7);
    EXPECT_EQ(page.lines[0].kind, CHelpBook::Line::paragraph);
    EXPECT_EQ(page.lines[1].kind, CHelpBook::Line::gap);
    EXPECT_EQ(page.lines[3].kind, CHelpBook::Line::numbered);
    EXPECT_EQ(page.lines[3].number, 12);
    EXPECT_EQ(page.lines[4].kind, CHelpBook::Line::bullet);
    EXPECT_EQ(page.lines[5].icon, "save");
    EXPECT_EQ(page.lines[6].kind, CHelpBook::Line::iconLine);
    EXPECT_EQ(page.lines[6].icon, "move");
    EXPECT_EQ(page.lines[6].text, "Switch on Move now.");
    EXPECT_EQ(book.pages[1].title, "Title two");
}

TEST(HelpBook, KeepsAtMostTheTwentyOnePagesTheProgramShowsAndRefusesAnEmptyFile) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 25; ++i)
        text += "== list\nPage " + std::to_string(i) + "\n";
    CHelpBook book;
    ASSERT_TRUE(book.Load(QString::fromStdString(dir.Write("many.txt", text))));
    EXPECT_EQ(book.pages.size(), CHelpBook::maxPages);
    EXPECT_FALSE(book.Load(QString::fromStdString(dir.Write("none.txt", "just words\n"))));
    EXPECT_FALSE(book.Load(QString::fromStdString(dir.Join("missing.txt"))));
}

TEST(ContentConverter, ConvertsTheListDrawsStandInsForMissingPicturesAndCreditsEachOne) {
    TempDir dir;
    // A square SVG background, a PNG prop with an empty border, and a character whose file is missing.
    dir.Write("art/sky.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100'>"
                             "<rect width='100' height='100' fill='#3080ff'/></svg>");
    QImage prop = Clear(300, 200);
    for (int y = 50; y < 150; ++y)
        for (int x = 100; x < 200; ++x)
            prop.setPixel(x, y, qRgba(255, 0, 0, 255));
    dir.Mkdir("art");
    ASSERT_TRUE(prop.save(QString::fromStdString(dir.Join("art/box.png"))));
    const std::string list = "id\tfolder\tpackage\tsource\tlicence\tdescription\tsize\n"
                             "b1\tbckgnds\tpkg\t" +
                             dir.Join("art/sky.svg") +
                             "\tpublic-domain\tBlue sky; square\t-\n"
                             "p1\tprops\tpkg\t" +
                             dir.Join("art/box.png") +
                             "\tCC-BY-SA-4.0\tred box (big)\t-\n"
                             "c1\tchars\tgone-pkg\t" +
                             dir.Join("art/none.svg") +
                             "\tpublic-domain\tlost one\t-\n"
                             "x1\tnowhere\tpkg\t/dev/null\tpublic-domain\tignored\t-\n";
    dir.Write("src/picks.tsv", list);
    dir.Write("out/props/iold.bmp", "stale");

    CContentConverter converter(QString::fromStdString(dir.Join("out")),
                                QString::fromStdString(dir.Join("src")),
                                QString::fromStdString(dir.Join("cache")), QString());
    ASSERT_TRUE(converter.Run());

    CDIB sky, box, boxAlpha;
    ASSERT_TRUE(sky.Load(dir.Join("out/bckgnds/iblue-sky.bmp")));
    EXPECT_EQ(sky.GetWidth(), 800);
    EXPECT_EQ(sky.GetHeight(), 600);
    ASSERT_TRUE(box.Load(dir.Join("out/props/ired-box.bmp")));
    ASSERT_TRUE(boxAlpha.Load(dir.Join("out/props/ared-box.bmp")));
    EXPECT_EQ(box.GetWidth(), 400) << "trimmed to the covered square, then scaled up to the folder's size";
    EXPECT_EQ(box.GetHeight(), 400);
    EXPECT_EQ(boxAlpha.GetWidth(), 400);
    const std::vector<std::string> props = dir.List("out/props");
    EXPECT_EQ(std::count(props.begin(), props.end(), "iold.bmp"), 0) << "an earlier run's picture is gone";
    EXPECT_EQ(dir.List("out/chars").size(), 2u) << "a drawn stand-in and its companion";

    const QString credits = converter.Credits().join('\n');
    EXPECT_TRUE(credits.contains("props/ired-box.bmp")) << credits.toStdString();
    EXPECT_TRUE(credits.contains("CC BY-SA 4.0"));
    EXPECT_TRUE(credits.contains("in place of: lost one"));
    EXPECT_FALSE(credits.contains("ignored"));
}
