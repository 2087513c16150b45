#include "platform/DC.h"
#include "platform/File.h"
#include "support/BmpFixtures.h"
#include "support/TempDir.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {
// A sound 2 x 2 8-bit file with a two-entry table, for the cases to break.
BmpLayout Sound() {
    return {
        2, 2, 8, BI_RGB, 2, 40, {{0, 0, 0, 0}, {255, 255, 255, 0}}, std::string("\0\x01\0\0\x01\0\0\0", 8)};
}
std::string With(const std::function<void(BmpLayout&)>& change) {
    BmpLayout s = Sound();
    change(s);
    return MakeBmp(s);
}
std::string WithField(std::size_t at, DWORD value) {
    std::string b = MakeBmp(Sound());
    Poke(b, at, value);
    return b;
}
} // namespace

TEST(DIBBadFiles, EveryCraftedFileFailsAndKeepsNothing) {
    const std::string sound = MakeBmp(Sound());
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"short file header", sound.substr(0, 10)},
        {"block shorter than a header", sound.substr(0, 30)},
        {"truncated rows", sound.substr(0, sound.size() - 1)},
        {"size field 0", WithField(2, 0)},
        {"size field 14", WithField(2, 14)},
        {"size field beyond the file", WithField(2, DWORD(sound.size() + 1))},
        {"size field 4 GiB", WithField(2, 0xFFFFFFFF)},
        {"header size 39", WithField(14, 39)},
        {"header size beyond the block", WithField(14, 0x80000000)},
        {"width 0", With([](BmpLayout& s) { s.width = 0; })},
        {"width negative", With([](BmpLayout& s) { s.width = -2; })},
        {"width absurd", With([](BmpLayout& s) { s.width = 0x7FFFFFFF; })},
        {"height 0", With([](BmpLayout& s) { s.height = 0; })},
        {"height most negative", With([](BmpLayout& s) { s.height = LONG(0x80000000); })},
        {"huge picture, small block", With([](BmpLayout& s) { s.width = s.height = 30000; })},
        {"bit count 7", With([](BmpLayout& s) { s.bits = 7; })},
        {"run-length 8 stored top-down", With([](BmpLayout& s) { s.compression = BI_RLE8, s.height = -2; })},
        {"run-length 4 at 8 bits", With([](BmpLayout& s) { s.compression = BI_RLE4; })},
        {"colours used beyond a palette", With([](BmpLayout& s) { s.colorsUsed = 0x40000000; })},
        {"table past the block", With([](BmpLayout& s) { s.colorsUsed = 0; })},
        {"rows past the block", With([](BmpLayout& s) { s.bits = 24; })},
    };
    TempDir dir;
    for (const auto& [what, bytes] : cases) {
        const std::string path = dir.Write("bad.bmp", bytes);
        CDIB dib;
        dib.Create(4, 4, 24);
        EXPECT_FALSE(dib.Load(path, TRUE)) << what;
        EXPECT_TRUE(dib.IsEmpty()) << what;
        EXPECT_EQ(dib.GetName(), "") << what;
    }
    CDIB dib;
    EXPECT_TRUE(dib.Load(dir.Write("good.bmp", sound))) << "each case failed for its own fault";
    EXPECT_FALSE(dib.Load(dir.Mkdir("folder.bmp")));
    EXPECT_FALSE(dib.ReadFrom(nullptr));
}

// Whatever a damaged file holds, every reader of a loaded picture stays inside it (the sanitizer build
// checks that).
TEST(DIBBadFiles, DamagedFilesNeverLeadAnyReaderAstray) {
    TempDir dir;
    BmpLayout base{
        9, 5, 8, BI_RGB, 0, 40, std::vector<RGBQUAD>(256, {10, 20, 30, 0}), std::string(12 * 5, '\x05')};
    const std::string sound = MakeBmp(base);
    auto ramp = MakePalette(GreyRamp());
    QImage surface(12, 8, QImage::Format_RGB32);
    auto dc = CDC::ForImage(&surface);
    const RECT dest{0, 0, 12, 8};
    std::mt19937 random(1234);
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = sound;
        for (int i = 1 + int(random() % 4); i > 0; --i) // mostly in the headers, where a change matters
            bytes[random() % 4 ? random() % 54 : random() % bytes.size()] ^= char(1 << (random() % 8));
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
