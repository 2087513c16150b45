#include "platform/File.h"
#include "platform/Modal.h"
#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(DIBFile, WritesExactLayoutsThatReadBackHereAndInQt) {
    TempDir dir;
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    Put(dib, 2, 0, RGB(10, 20, 30));
    dib.GetHeader()->biSizeImage = 0;
    ASSERT_TRUE(dib.Save(dir.Join("p.bmp")));
    EXPECT_EQ(dib.GetHeader()->biSizeImage, 24u) << "rewritten in memory";
    std::string bytes = dir.Read("p.bmp");
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Peek<DWORD>(bytes, 2), 78u);
    EXPECT_EQ(Peek<DWORD>(bytes, 10), 54u);
    EXPECT_EQ(bytes.substr(54 + 12 + 6, 3), "\x1e\x14\x0a") << "top row stored last, blue first";
    CDIB back;
    ASSERT_TRUE(back.Load(dir.Join("p.bmp")));
    EXPECT_EQ(back.GetName(), dir.Join("p.bmp"));
    EXPECT_EQ(At(back, 2, 0), RGB(10, 20, 30));
    EXPECT_EQ(QImage(QString::fromStdString(dir.Join("p.bmp"))).pixel(2, 0) & 0xFFFFFF, 0x0A141Eu);

    // 8 bits without colours-used: a 1,024-byte table. An 8-bit pixel takes bits 16-23 of a colour.
    auto ramp = MakePalette(GreyRamp());
    ASSERT_TRUE(dib.Create(5, 3, 8, ramp.get()));
    Put(dib, 1, 1, RGB(0, 0, 77));
    dib.GetHeader()->biClrUsed = 0;
    ASSERT_TRUE(dib.Save(dir.Join("p8.bmp")));
    bytes = dir.Read("p8.bmp");
    EXPECT_EQ(Peek<DWORD>(bytes, 10), 1078u);
    EXPECT_EQ(bytes.size(), 1078u + 8 * 3);
    QImage q(QString::fromStdString(dir.Join("p8.bmp")));
    EXPECT_EQ(q.pixelIndex(1, 1), 77);
    EXPECT_EQ(q.pixelIndex(0, 0), 255) << "blank is white";
}

TEST(DIBFile, ReadsWhatTheFormatAllowsAndTurnsTopDownRows) {
    TempDir dir;
    BmpLayout layout;
    layout.width = 1;
    layout.height = -3; // top row stored first
    layout.rows = std::string("\x01\x01\x01\0\x02\x02\x02\0\x03\x03\x03\0", 12);
    std::string bytes = MakeBmp(layout);
    bytes[0] = 'X';               // any type bytes
    Poke<DWORD>(bytes, 10, 9999); // an offset beyond the file: no gap
    bytes += "trailing bytes";    // beyond the size field
    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Write("td.bmp", bytes)));
    EXPECT_EQ(dib.GetHeight(), 3);
    EXPECT_EQ(At(dib, 0, 0), RGB(1, 1, 1));
    EXPECT_EQ(At(dib, 0, 2), RGB(3, 3, 3));

    // 32-bit pictures load, four bytes a pixel.
    BmpLayout deep{2, 2, 32, BI_RGB, 0, 40, {}, std::string(16, '\x7f')};
    ASSERT_TRUE(dib.Load(dir.Write("32.bmp", MakeBmp(deep))));
    ASSERT_TRUE(dib.BeginPixelAccess());
    EXPECT_EQ(dib.PixelAddress(0, 0), dib.GetBits() + 8);
    EXPECT_EQ(dib.PixelAddress(1, 1), dib.GetBits() + 4);
    EXPECT_EQ(dib.PixelAddressDirect(1, 0), dib.GetBits() + 12);
}

TEST(DIBFile, RowsStartWhereTheFileSaysWhenThatLiesAfterTheTable) {
    TempDir dir;
    // Bottom row (stored first) 1, 0; top row 0, 1. A gap of ones would show as ones if read as rows.
    const BmpLayout indexed{
        2, 2, 8, BI_RGB, 2, 40, {{0, 0, 0, 0}, {255, 255, 255, 0}}, std::string("\x01\0\0\0\0\x01\0\0", 8)};
    CDIB dib;
    ASSERT_TRUE(dib.Load(dir.Write("gap.bmp", MakeBmpWithGap(indexed, std::string(6, '\x01')))));
    EXPECT_EQ(At(dib, 0, 1), 1u);
    EXPECT_EQ(At(dib, 1, 1), 0u);
    EXPECT_EQ(At(dib, 0, 0), 0u);
    EXPECT_EQ(At(dib, 1, 0), 1u);
    EXPECT_EQ(dib.GetSize(), 40u + 8 + 8) << "in memory the rows follow the table";

    // A 32-bit picture with its bit-field masks after a 40-byte header and a gap before its pixels;
    // read as 24 bits, and written back so without masks or gap.
    const std::string pixels("\x0a\x14\x1e\0\x28\x32\x3c\0", 8), plain("\x0a\x14\x1e\x28\x32\x3c\0\0", 8);
    const std::string masks("\0\0\xff\0\0\xff\0\0\xff\0\0\0", 12);
    std::string withMasks = MakeBmpWithGap({2, 1, 32, BI_BITFIELDS, 0, 40, {}, pixels}, masks + "gap!");
    ASSERT_TRUE(dib.Load(dir.Write("masks.bmp", withMasks)));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib.GetBits()), 8), plain);
    ASSERT_TRUE(dib.Save(dir.Join("again.bmp")));
    EXPECT_EQ(Peek<DWORD>(dir.Read("again.bmp"), 10), 54u);
    ASSERT_TRUE(dib.Load(dir.Join("again.bmp")));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib.GetBits()), 8), plain);

    // An offset inside the table means no gap; rows that do not fit after the offset are refused.
    std::string bytes = MakeBmpWithGap(indexed, std::string(4, '\0'));
    Poke<DWORD>(bytes, 10, 14 + 40 + 4);
    ASSERT_TRUE(dib.Load(dir.Write("inside.bmp", bytes)));
    EXPECT_EQ(At(dib, 0, 1), 0u) << "the gap read as the bottom row";
    EXPECT_EQ(At(dib, 0, 0), 1u);
    Poke<DWORD>(bytes, 10, DWORD(bytes.size() - 4));
    EXPECT_FALSE(dib.Load(dir.Write("short.bmp", bytes)));
}

TEST(DIBFile, ImagesFollowOneAnotherInOneFile) {
    TempDir dir;
    CDIB a, b, first, second;
    a.Create(2, 2, 24);
    b.Create(7, 1, 24);
    {
        CFile f;
        ASSERT_TRUE(f.Open(dir.Join("two").c_str(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(a.WriteTo(&f) && b.WriteTo(&f));
        EXPECT_FALSE(CDIB().WriteTo(&f));
        f.Close();
    }
    CFile f;
    ASSERT_TRUE(f.Open(dir.Join("two").c_str(), CFile::modeRead));
    first.SetName("kept");
    ASSERT_TRUE(first.ReadFrom(&f));
    EXPECT_EQ(first.GetName(), "kept");
    ASSERT_TRUE(second.ReadFrom(&f));
    EXPECT_EQ(second.GetWidth(), 7);
    EXPECT_FALSE(second.ReadFrom(&f)) << "nothing left";
}

TEST(DIBFile, FailedSavesReportAndLeaveExistingFilesAlone) {
    TempDir dir;
    std::vector<std::string> messages;
    SetModalResponder([&](const ModalQuestion& q) {
        messages.push_back(q.text);
        return ModalAnswer();
    });
    CDIB dib, empty;
    dib.Create(2, 2, 24);
    EXPECT_FALSE(dib.Save(dir.Join("no/folder.bmp")));
    EXPECT_EQ(messages, std::vector<std::string>{"Error: failed to open file <" + dir.Join("no/folder.bmp") +
                                                 "> for writing"});
    messages.clear();
    EXPECT_FALSE(dib.Save(dir.Join("no/folder.bmp"), CDIB::callerReportsFailure));
    EXPECT_EQ(messages, std::vector<std::string>{}) << "the caller has its own message";
    dir.Write("old.bmp", "precious");
    EXPECT_FALSE(empty.Save(dir.Join("old.bmp")));
    EXPECT_EQ(dir.Read("old.bmp"), "precious");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"old.bmp"}) << "nothing left beside it";
    SetModalResponder({});
}

TEST(DIBFile, CompanionNamesAndAlphaLoading) {
    std::string image, alpha;
    CDIB::MakeCompanionNames("res/chars/ihouse.bmp", CDIB::companionReplaceFirst, &image, &alpha);
    EXPECT_EQ(image + " " + alpha, "res/chars/ihouse.bmp res/chars/ahouse.bmp");
    CDIB::MakeCompanionNames("house.bmp", CDIB::companionReplaceFirst, &image, &alpha);
    EXPECT_EQ(image + " " + alpha, "iouse.bmp aouse.bmp");
    CDIB::MakeCompanionNames("pics\\Ship.bmp", CDIB::companionEnsurePrefix, &image, &alpha);
    EXPECT_EQ(image + " " + alpha, "pics\\iShip.bmp pics\\aShip.bmp");
    CDIB::MakeCompanionNames("pics/IShip.bmp", CDIB::companionEnsurePrefix, &image, &alpha);
    EXPECT_EQ(image + " " + alpha, "pics/IShip.bmp pics/aShip.bmp");
    CDIB::MakeCompanionNames("a.b/c\\tree", CDIB::companionReplaceFirst, &image, &alpha);
    EXPECT_EQ(image + " " + alpha, "a.b/c\\iree a.b/c\\aree") << "no extension: a dot in a folder is none";

    TempDir dir;
    CDIB maker, dib;
    maker.Create(4, 4, 24);
    maker.Save(dir.Join("ihouse.bmp"));
    maker.Save(dir.Join("itree.bmp"));
    maker.Create(2, 2, 8);
    maker.Save(dir.Join("ahouse.bmp"));
    ASSERT_TRUE(dib.Load(dir.Join("ihouse.bmp"), TRUE));
    ASSERT_NE(dib.GetAlpha(), nullptr);
    EXPECT_EQ(dib.GetAlpha()->GetName(), dir.Join("ahouse.bmp"));
    ASSERT_TRUE(dib.Load(dir.Join("itree.bmp"), TRUE)) << "without a companion beside it";
    EXPECT_EQ(dib.GetAlpha(), nullptr);
}
