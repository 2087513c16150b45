#include "BmpFixtures.h"
#include "imaging/DIB.h"
#include "platform/File.h"
#include "support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
COLORREF PixelColour(CDIB& dib, int x, int y) {
    dib.BeginPixelAccess();
    const BYTE* p = dib.PixelAddress(x, y);
    dib.EndPixelAccess();
    return p ? RGB(p[2], p[1], p[0]) : CLR_INVALID;
}
} // namespace

TEST(DIBFile, Saves24BitImageWithExactHeaderAndReadsItBack) {
    TempDir dir;
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    const RECT topRight{2, 0, 3, 1};
    dib.Fill(RGB(10, 20, 30), &topRight);
    dib.GetHeader()->biSizeImage = 0;
    const std::string path = dir.Join("p.bmp");
    ASSERT_TRUE(dib.Save(path));
    EXPECT_EQ(dib.GetHeader()->biSizeImage, 24u) << "image size rewritten in memory";

    const std::string bytes = dir.Read("p.bmp");
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Peek<DWORD>(bytes, 2), 78u);
    EXPECT_EQ(Peek<DWORD>(bytes, 10), 54u);
    EXPECT_EQ(Peek<DWORD>(bytes, 14 + 20), 24u);
    // Top row is stored last; its third pixel is blue, green, red.
    EXPECT_EQ(bytes.substr(54 + 12 + 6, 3), std::string("\x1e\x14\x0a", 3));

    CDIB back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.GetName(), path);
    EXPECT_EQ(back.GetSize(), 64u);
    EXPECT_EQ(PixelColour(back, 2, 0), RGB(10, 20, 30));
    EXPECT_EQ(PixelColour(back, 0, 1), RGB(255, 255, 255));

    // Another reader sees the same picture.
    QImage q(QString::fromStdString(path));
    ASSERT_FALSE(q.isNull());
    EXPECT_EQ(q.pixel(2, 0) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(q.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(DIBFile, Saves8BitImageWithFullTableAndOtherReadersAgree) {
    TempDir dir;
    auto palette = MakePalette(GreyRamp());
    CDIB dib;
    ASSERT_TRUE(dib.Create(5, 3, 8));
    EXPECT_EQ(dib.NumColors(), 256u);
    EXPECT_EQ(dib.PaletteSize(), 1024u);
    // A palette gives the table its entries and colours-used its count.
    CDIB withPalette;
    ASSERT_TRUE(withPalette.Create(5, 3, 8, palette.get()));
    EXPECT_EQ(withPalette.GetHeader()->biClrUsed, 256u);
    const RECT cell{1, 1, 2, 2};
    withPalette.Fill(RGB(0, 0, 77), &cell); // an 8-bit pixel takes bits 16-23 as its index
    const std::string path = dir.Join("p8.bmp");
    ASSERT_TRUE(dib.Save(path));
    const std::string bytes = dir.Read("p8.bmp");
    EXPECT_EQ(Peek<DWORD>(bytes, 10), 1078u);
    EXPECT_EQ(bytes.size(), 1078u + 8 * 3);

    ASSERT_TRUE(withPalette.Save(path));
    QImage q(QString::fromStdString(path));
    ASSERT_EQ(q.format(), QImage::Format_Indexed8);
    EXPECT_EQ(q.pixelIndex(1, 1), 77);
    EXPECT_EQ(q.pixelIndex(0, 0), 255);
    EXPECT_EQ(q.pixel(1, 1) & 0xFFFFFF, 0x4D4D4Du);
}

TEST(DIBFile, ReadingKeepsWhatTheFormatAllows) {
    TempDir dir;
    BmpSpec spec;
    spec.rows = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\0\0\0"
                            "\x11\x12\x13\x14\x15\x16\x17\x18\x19\0\0\0",
                            24);
    std::string bytes = MakeBmp(spec);
    bytes[0] = 'X', bytes[1] = 'Y'; // any type bytes
    Poke<DWORD>(bytes, 10, 9999);   // the offset field is not used
    bytes += "trailing bytes beyond the size field";
    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Write("odd.bmp", bytes)));
    EXPECT_EQ(dib.GetSize(), 64u);
    EXPECT_EQ(PixelColour(dib, 0, 1), RGB(3, 2, 1));
    EXPECT_EQ(PixelColour(dib, 2, 0), RGB(0x19, 0x18, 0x17));

    // A header larger than 40 bytes puts the table behind it.
    BmpSpec big;
    big.headerSize = 124;
    big.bits = 8;
    big.width = 4;
    big.height = 1;
    big.colorsUsed = 2;
    big.table = {{1, 2, 3, 0}, {200, 100, 50, 0}};
    big.rows = std::string("\x01\x00\x01\x00", 4);
    ASSERT_TRUE(dib.Load(dir.Write("v5.bmp", MakeBmp(big))));
    EXPECT_EQ(dib.NumColors(), 2u);
    EXPECT_EQ(dib.GetBits() - dib.GetBlock(), 124 + 8);
    dib.BeginPixelAccess();
    EXPECT_EQ(*dib.PixelAddress(2, 0), 1);
}

TEST(DIBFile, TopDownRowsAreTurnedBottomUpOnLoad) {
    TempDir dir;
    BmpSpec spec;
    spec.width = 1;
    spec.height = -3; // first stored row is the top one
    spec.rows = std::string("\x01\x01\x01\0\x02\x02\x02\0\x03\x03\x03\0", 12);
    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Write("td.bmp", MakeBmp(spec))));
    EXPECT_EQ(dib.GetHeader()->biHeight, 3);
    EXPECT_EQ(PixelColour(dib, 0, 0), RGB(1, 1, 1));
    EXPECT_EQ(PixelColour(dib, 0, 1), RGB(2, 2, 2));
    EXPECT_EQ(PixelColour(dib, 0, 2), RGB(3, 3, 3));
    ASSERT_TRUE(dib.Save(dir.Join("bu.bmp")));
    EXPECT_EQ(Peek<LONG>(dir.Read("bu.bmp"), 22), 3) << "written bottom-up";
}

TEST(DIBFile, OtherBitCountsLoadButOnlyAddressableOnesGiveAddresses) {
    TempDir dir;
    BmpSpec one;
    one.bits = 1;
    one.width = 10;
    one.height = 1;
    one.table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    one.rows = std::string("\x80\x40\0\0", 4);
    BmpSpec four = one;
    four.bits = 4;
    four.table.resize(16);
    four.rows = std::string("\x12\x34\x56\x78\x9a\0\0\0", 8);
    BmpSpec deep;
    deep.bits = 32;
    deep.width = 2;
    deep.height = 2;
    deep.rows = std::string(16, '\x7f');

    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Write("1.bmp", MakeBmp(one))));
    dib.BeginPixelAccess();
    EXPECT_EQ(dib.PixelAddress(9, 0) - dib.GetBits(), 1);
    ASSERT_TRUE(dib.Load(dir.Write("4.bmp", MakeBmp(four))));
    dib.BeginPixelAccess();
    EXPECT_EQ(*dib.PixelAddress(5, 0), 0x56);
    ASSERT_TRUE(dib.Load(dir.Write("32.bmp", MakeBmp(deep))));
    dib.BeginPixelAccess();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(dib.PixelAddress(x, y), nullptr);
    EXPECT_EQ(dib.PixelAddressDirect(0, 0), nullptr);
}

TEST(DIBFile, ImagesFollowOneAnotherInOneFile) {
    TempDir dir;
    CDIB a, b;
    a.Create(2, 2, 24);
    b.Create(7, 1, 24);
    b.Fill(RGB(1, 2, 3));
    const std::string path = dir.Join("two.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(a.WriteTo(&f));
        ASSERT_TRUE(b.WriteTo(&f));
        f.Close();
    }
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    CDIB first, second, third;
    first.SetName("kept");
    ASSERT_TRUE(first.ReadFrom(&f));
    EXPECT_EQ(first.GetName(), "kept");
    ASSERT_TRUE(second.ReadFrom(&f));
    EXPECT_EQ(second.GetWidth(), 7);
    EXPECT_EQ(PixelColour(second, 6, 0), RGB(1, 2, 3));
    EXPECT_FALSE(third.ReadFrom(&f)) << "nothing left";
    EXPECT_FALSE(third.ReadFrom(nullptr));
}

TEST(DIBFile, SaveFailuresReportAndLeaveExistingFilesAlone) {
    TempDir dir;
    MessageRecorder messages;
    CDIB dib;
    dib.Create(2, 2, 24);
    const std::string missing = dir.Join("no/such/folder.bmp");
    EXPECT_FALSE(dib.Save(missing));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Error: failed to open file <" + missing + "> for writing");

    const std::string old = dir.Write("old.bmp", "precious");
    CDIB empty;
    EXPECT_FALSE(empty.Save(old));
    EXPECT_EQ(dir.Read("old.bmp"), "precious");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"old.bmp"}) << "no half-written file left beside it";
    ASSERT_TRUE(dib.Save(old));
    EXPECT_EQ(dir.Read("old.bmp").size(), 14u + 40 + 16);
    EXPECT_EQ(messages.texts.size(), 1u);
}

TEST(DIBFile, CompanionNamesInBothModes) {
    std::string image, alpha;
    ASSERT_TRUE(
        CDIB::MakeCompanionNames("res/chars/ihouse.bmp", CDIB::companionReplaceFirst, &image, &alpha));
    EXPECT_EQ(image, "res/chars/ihouse.bmp");
    EXPECT_EQ(alpha, "res/chars/ahouse.bmp");
    CDIB::MakeCompanionNames("house.bmp", CDIB::companionReplaceFirst, &image, &alpha);
    EXPECT_EQ(image, "iouse.bmp");
    EXPECT_EQ(alpha, "aouse.bmp");
    CDIB::MakeCompanionNames("pics\\Ship.bmp", CDIB::companionEnsurePrefix, &image, &alpha);
    EXPECT_EQ(image, "pics\\iShip.bmp");
    EXPECT_EQ(alpha, "pics\\aShip.bmp");
    CDIB::MakeCompanionNames("pics/IShip.bmp", CDIB::companionEnsurePrefix, &image, &alpha);
    EXPECT_EQ(image, "pics/IShip.bmp");
    EXPECT_EQ(alpha, "pics/aShip.bmp");
    // The extension is the last dot of the name, never one in a folder.
    CDIB::MakeCompanionNames("a.b/c\\tree", CDIB::companionReplaceFirst, &image, &alpha);
    EXPECT_EQ(image, "a.b/c\\iree");
    EXPECT_EQ(alpha, "a.b/c\\aree");
    EXPECT_FALSE(CDIB::MakeCompanionNames("x", CDIB::companionReplaceFirst, nullptr, &alpha));
}

TEST(DIBFile, LoadFindsTheAlphaCompanionWhenAsked) {
    TempDir dir;
    CDIB maker;
    maker.Create(4, 4, 24);
    ASSERT_TRUE(maker.Save(dir.Join("ihouse.bmp")));
    maker.Create(2, 2, 8);
    ASSERT_TRUE(maker.Save(dir.Join("ahouse.bmp")));
    ASSERT_TRUE(maker.Save(dir.Join("itree.bmp")));

    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Join("ihouse.bmp"), TRUE));
    ASSERT_NE(dib.GetAlpha(), nullptr);
    EXPECT_EQ(dib.GetAlpha()->GetWidth(), 2);
    EXPECT_EQ(dib.GetAlpha()->GetName(), dir.Join("ahouse.bmp"));
    EXPECT_EQ(dib.GetAlpha()->GetAlpha(), nullptr);
    ASSERT_TRUE(dib.Load(dir.Join("itree.bmp"), TRUE)) << "no companion beside it: still loaded";
    EXPECT_EQ(dib.GetAlpha(), nullptr);
    ASSERT_TRUE(dib.Load(dir.Join("ihouse.bmp"), FALSE));
    EXPECT_EQ(dib.GetAlpha(), nullptr);
}
