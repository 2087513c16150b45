#include "BmpFixtures.h"
#include "imaging/DIB.h"
#include "platform/DC.h"
#include "platform/File.h"
#include "support/TempDir.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {
// A sound 2 x 2 8-bit file with a two-entry table, for the cases to break.
BmpSpec Sound() {
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    s.colorsUsed = 2;
    s.table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    s.rows = std::string("\x00\x01\0\0\x01\x00\0\0", 8);
    return s;
}

struct BadFile {
    const char* what;
    std::function<std::string()> bytes;
};

std::string WithField(std::size_t offset, DWORD value) {
    std::string b = MakeBmp(Sound());
    Poke(b, offset, value);
    return b;
}
std::string WithSpec(const std::function<void(BmpSpec&)>& change) {
    BmpSpec s = Sound();
    change(s);
    return MakeBmp(s);
}
} // namespace

TEST(DIBBadFiles, EveryCraftedFileFailsAndLeavesTheImageEmpty) {
    const std::vector<BadFile> cases = {
        {"empty file", [] { return std::string(); }},
        {"short file header", [] { return MakeBmp(Sound()).substr(0, 10); }},
        {"size field 0", [] { return WithField(2, 0); }},
        {"size field 14", [] { return WithField(2, 14); }},
        {"size field beyond the file", [] { return WithField(2, DWORD(MakeBmp(Sound()).size() + 1)); }},
        {"size field 4 GiB", [] { return WithField(2, 0xFFFFFFFF); }},
        {"block shorter than a header", [] { return MakeBmp(Sound()).substr(0, 30); }},
        {"truncated rows",
         [] {
             std::string b = MakeBmp(Sound());
             b.pop_back();
             return b;
         }},
        {"header size 39", [] { return WithField(14, 39); }},
        {"header size beyond the block", [] { return WithField(14, 4000); }},
        {"header size 0x80000000", [] { return WithField(14, 0x80000000); }},
        {"width 0", [] { return WithSpec([](BmpSpec& s) { s.width = 0; }); }},
        {"width negative", [] { return WithSpec([](BmpSpec& s) { s.width = -2; }); }},
        {"width absurd", [] { return WithSpec([](BmpSpec& s) { s.width = 0x7FFFFFFF; }); }},
        {"height 0", [] { return WithSpec([](BmpSpec& s) { s.height = 0; }); }},
        {"height most negative", [] { return WithSpec([](BmpSpec& s) { s.height = LONG(0x80000000); }); }},
        {"height absurd top-down", [] { return WithSpec([](BmpSpec& s) { s.height = -100000; }); }},
        {"huge picture, small block",
         [] { return WithSpec([](BmpSpec& s) { s.width = s.height = 30000; }); }},
        {"bit count 0", [] { return WithSpec([](BmpSpec& s) { s.bits = 0; }); }},
        {"bit count 7", [] { return WithSpec([](BmpSpec& s) { s.bits = 7; }); }},
        {"bit count 64", [] { return WithSpec([](BmpSpec& s) { s.bits = 64; }); }},
        {"run-length 8", [] { return WithSpec([](BmpSpec& s) { s.compression = BI_RLE8; }); }},
        {"run-length 4", [] { return WithSpec([](BmpSpec& s) { s.bits = 4, s.compression = BI_RLE4; }); }},
        {"jpeg payload", [] { return WithSpec([](BmpSpec& s) { s.compression = 4; }); }},
        {"colours used beyond a palette", [] { return WithSpec([](BmpSpec& s) { s.colorsUsed = 257; }); }},
        {"colours used 0x40000000", [] { return WithSpec([](BmpSpec& s) { s.colorsUsed = 0x40000000; }); }},
        {"table runs past the block", [] { return WithSpec([](BmpSpec& s) { s.colorsUsed = 200; }); }},
        {"default table beyond the block", [] { return WithSpec([](BmpSpec& s) { s.colorsUsed = 0; }); }},
        {"24-bit rows beyond the block",
         [] { return WithSpec([](BmpSpec& s) { s.bits = 24, s.table.clear(); }); }},
    };
    TempDir dir;
    for (const BadFile& c : cases) {
        const std::string path = dir.Write("bad.bmp", c.bytes());
        CDIB dib;
        dib.Create(4, 4, 24);
        EXPECT_FALSE(dib.Load(path, TRUE)) << c.what;
        EXPECT_TRUE(dib.IsEmpty()) << c.what;
        EXPECT_EQ(dib.GetName(), "") << c.what;
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
        EXPECT_FALSE(dib.ReadFrom(&f)) << c.what;
        EXPECT_TRUE(dib.IsEmpty()) << c.what;
    }
    // The sound file itself loads, so every case above failed for its own fault.
    CDIB dib;
    EXPECT_TRUE(dib.Load(dir.Write("good.bmp", MakeBmp(Sound()))));
}

TEST(DIBBadFiles, PathsThatAreNoFilesFailQuietly) {
    TempDir dir;
    MessageRecorder messages;
    CDIB dib;
    EXPECT_FALSE(dib.Load(dir.Mkdir("folder.bmp")));
    EXPECT_FALSE(dib.Load(dir.Join("missing.bmp")));
    EXPECT_FALSE(dib.Load(""));
    EXPECT_TRUE(messages.texts.empty());
}

// Whatever a damaged file holds, everything that reads a loaded picture stays inside it (the sanitizer
// build checks that).
TEST(DIBBadFiles, DamagedFilesNeverLeadAnyReaderAstray) {
    TempDir dir;
    BmpSpec base = Sound();
    base.width = 9;
    base.height = 5;
    base.colorsUsed = 0;
    base.table.assign(256, RGBQUAD{10, 20, 30, 0});
    base.rows.assign(12 * 5, '\x05');
    const std::string sound = MakeBmp(base);
    auto ramp = MakePalette(GreyRamp());
    QImage surface(12, 8, QImage::Format_RGB32);
    auto dc = CDC::ForImage(&surface);
    const RECT dest{0, 0, 12, 8};
    std::mt19937 random(1234);
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = sound;
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) {
            // Mostly the two headers, where a change matters.
            const std::size_t at = random() % 4 ? random() % 54 : random() % bytes.size();
            bytes[at] = char(random() % 3 ? random() : bytes[at] ^ 0x80);
        }
        if (random() % 5 == 0)
            bytes.resize(random() % bytes.size());
        CDIB dib;
        if (!dib.Load(dir.Write("f.bmp", bytes)))
            continue;
        ++loaded;
        for (int y = -1; y <= dib.GetHeight(); ++y)
            for (int x = -1; x <= dib.GetWidth(); ++x)
                if (BYTE* p = dib.PixelAddressDirect(x, y))
                    *p ^= 1;
        const RECT source{0, 0, dib.GetWidth(), dib.GetHeight()};
        dib.Draw(dc.get(), &dest, &source, nullptr, FALSE);
        CPalette palette;
        dib.CreatePalette(&palette);
        dib.CreateScaled(7, 4, 0, nullptr);
        dib.CreateScaled(7, 4, 8, ramp.get());
        dib.MapToPalette(ramp.get());
        dib.Save(dir.Join("out.bmp"));
    }
    EXPECT_GT(loaded, 20) << "enough damaged files still load to exercise the readers";
}
