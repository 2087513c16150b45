// Checks the data folder that the resource tool lays out: every picture the program names, with its size,
// bit count and band layout; the help pages of each language; the content folders and their companions.

#include "app/AppState.h"
#include "app/ScreenLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A BMP file read on its own terms: the 14-byte file header, the 40-byte info header, the colour table and
// bottom-up rows. Pixels are kept as bytes; Rgb() and Index() read them by picture row from the top.
struct Bmp {
    bool ok = false;
    int width = 0, height = 0, bits = 0;
    std::vector<std::uint8_t> table; // 4 bytes an entry: blue, green, red, 0
    std::vector<std::uint8_t> pixels;
    std::size_t stride = 0;

    const std::uint8_t* Row(int y) const { return pixels.data() + std::size_t(height - 1 - y) * stride; }
    int Index(int x, int y) const { return Row(y)[x]; }
    // Red, green, blue of a pixel of a 24-bit picture.
    std::array<int, 3> Rgb(int x, int y) const {
        const std::uint8_t* p = Row(y) + 3 * x;
        return {p[2], p[1], p[0]};
    }
};

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

Bmp Read(const fs::path& path) {
    Bmp bmp;
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 14) != 40)
        return bmp;
    bmp.width = int(U32(b, 18));
    bmp.height = int(U32(b, 22)); // positive: rows stored bottom-up
    bmp.bits = b[28] | b[29] << 8;
    const std::uint32_t compression = U32(b, 30), used = U32(b, 46), offset = U32(b, 10);
    if (bmp.width <= 0 || bmp.height <= 0 || compression != 0 || (bmp.bits != 8 && bmp.bits != 24))
        return bmp;
    const std::size_t colours = bmp.bits == 8 ? (used ? used : 256) : 0;
    bmp.stride = (std::size_t(bmp.width) * bmp.bits + 31) / 32 * 4;
    if (offset != 54 + 4 * colours || b.size() < offset + bmp.stride * bmp.height)
        return bmp;
    bmp.table.assign(b.begin() + 54, b.begin() + offset);
    bmp.pixels.assign(b.begin() + offset, b.begin() + offset + bmp.stride * bmp.height);
    bmp.ok = true;
    return bmp;
}

class ResFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dir = std::getenv("QUIMBLE_RES_DIR");
        if (!dir || !*dir)
            GTEST_SKIP() << "QUIMBLE_RES_DIR is not set";
        res = dir;
        ASSERT_TRUE(fs::is_directory(res)) << res;
    }
    fs::path res;
};

struct Named {
    const char* file;
    int width, height; // of one band for buttons
};

// Mean over one band of a 24-bit picture: colourfulness (max - min of a pixel) and brightness.
std::pair<double, double> BandLook(const Bmp& bmp, int band) {
    const int q = bmp.height / 4;
    double colour = 0, light = 0;
    for (int y = band * q; y < band * q + q; ++y)
        for (int x = 0; x < bmp.width; ++x) {
            const auto [r, g, b] = bmp.Rgb(x, y);
            colour += std::max({r, g, b}) - std::min({r, g, b});
            light += r + g + b;
        }
    const double n = double(q) * bmp.width;
    return {colour / n, light / n};
}

} // namespace

TEST_F(ResFolder, ScreenDialogsAndOverlaysHaveTheirSizesAndDepths) {
    const struct {
        const char* file;
        int width, height, bits;
    } pictures[] = {{"Backg.BMP", 788, 550, 24},
                    {"Backg8.BMP", 788, 550, 8},
                    {"textdlg.bmp", 419, 222, 24},
                    {"infodlg.bmp", 419, 222, 24},
                    {"bvisib.bmp", 25, 4 * 27, 24}};
    for (const auto& p : pictures) {
        const Bmp bmp = Read(res / p.file);
        ASSERT_TRUE(bmp.ok) << p.file;
        EXPECT_EQ(bmp.width, p.width) << p.file;
        EXPECT_EQ(bmp.height, p.height) << p.file;
        EXPECT_EQ(bmp.bits, p.bits) << p.file;
        if (p.bits == 8) {
            EXPECT_EQ(bmp.table.size(), 256u * 4) << p.file;
        }
    }
    // The start-up picture of each language has its words, which no other language shares.
    std::vector<std::vector<std::uint8_t>> startups;
    for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
        const fs::path file = res / fs::path(StartupPicturePath(language)).filename();
        const Bmp bmp = Read(file);
        ASSERT_TRUE(bmp.ok) << file;
        EXPECT_EQ((std::array{bmp.width, bmp.height, bmp.bits}), (std::array{600, 360, 8})) << file;
        for (const std::vector<std::uint8_t>& other : startups)
            EXPECT_FALSE(other == bmp.pixels) << file;
        startups.push_back(bmp.pixels);
    }
    const Bmp hold = Read(res / "hold.bmp");
    ASSERT_TRUE(hold.ok);
    EXPECT_EQ(hold.width * 3, hold.height * 4);
}

TEST_F(ResFolder, ButtonsHoldFourBandsFromDisabledAtTheTopToPressedAtTheBottom) {
    // Every state picture of the screen layout, at its control's design size, and the hide toggle.
    std::vector<Named> buttons;
    for (const ScreenPlace& place : SCREEN_LAYOUT)
        if (place.kind == ScreenKind::Button || place.kind == ScreenKind::Toggle)
            buttons.push_back({place.picture + std::strlen("res/"), place.rect.Width(), place.rect.Height()});
    ASSERT_EQ(buttons.size(), 21u);
    buttons.push_back({"bvisib.bmp", 25, 27});
    for (const Named& b : buttons) {
        const Bmp bmp = Read(res / b.file);
        ASSERT_TRUE(bmp.ok) << b.file;
        EXPECT_EQ(bmp.bits, 24) << b.file;
        EXPECT_EQ(bmp.width, b.width) << b.file;
        EXPECT_EQ(bmp.height, 4 * b.height) << b.file;
        // Top to bottom: disabled (grey), normal, hot (lighter), pressed (darker).
        const auto disabled = BandLook(bmp, 0), normal = BandLook(bmp, 1), hot = BandLook(bmp, 2),
                   pressed = BandLook(bmp, 3);
        EXPECT_LT(disabled.first, normal.first) << b.file;
        EXPECT_GT(hot.second, normal.second) << b.file;
        EXPECT_LT(pressed.second, normal.second) << b.file;
    }
}

TEST_F(ResFolder, HelpPagesRunFromZeroWithoutGapsInEveryLanguage) {
    // help<letter><number>.bmp, the number in decimal without leading zeros.
    std::map<char, std::set<int>> pages;
    for (const auto& entry : fs::directory_iterator(res)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 10 || name.rfind("help", 0) != 0 || name.substr(name.size() - 4) != ".bmp")
            continue;
        const std::string number = name.substr(5, name.size() - 9);
        if (number.empty() || number.size() > 3 || !std::all_of(number.begin(), number.end(), ::isdigit))
            continue;
        pages[name[4]].insert(std::stoi(number));
    }
    for (char language : {'n', 'f', 'e', 'g'}) {
        const std::set<int>& numbers = pages[language];
        ASSERT_FALSE(numbers.empty()) << language;
        EXPECT_EQ(*numbers.begin(), 0) << language;
        EXPECT_EQ(*numbers.rbegin(), int(numbers.size()) - 1) << "a gap among the pages of " << language;
        EXPECT_LE(numbers.size(), 21u) << language;
        EXPECT_EQ(numbers.size(), pages['e'].size()) << "every language has the same pages";
        const Bmp first = Read(res / (std::string("help") + language + "0.bmp"));
        ASSERT_TRUE(first.ok);
        EXPECT_EQ(first.bits, 24);
        EXPECT_NEAR(double(first.width) / first.height, 569.0 / 421, 0.01)
            << "the picture area's proportions";
    }
}

TEST_F(ResFolder, ContentFoldersPairEveryPictureWithAnEqualSizedCoverageCompanion) {
    const struct {
        const char* folder;
        std::size_t atLeast;
        bool companions;
    } folders[] = {{"bckgnds", 20, false}, {"chars", 40, true}, {"props", 40, true}, {"textblbs", 12, true}};
    std::ifstream creditsFile(res / "CREDITS.txt");
    const std::string credits((std::istreambuf_iterator<char>(creditsFile)),
                              std::istreambuf_iterator<char>());
    for (const auto& f : folders) {
        std::set<std::string> pictures, companions;
        for (const auto& entry : fs::directory_iterator(res / f.folder)) {
            const std::string name = entry.path().filename().string();
            ASSERT_GE(name.size(), 5u) << name;
            (name[0] == 'a' ? companions : pictures).insert(name.substr(1));
            EXPECT_TRUE(name[0] == 'i' || name[0] == 'a') << f.folder << "/" << name;
        }
        EXPECT_GE(pictures.size(), f.atLeast) << f.folder;
        for (const std::string& name : pictures) {
            const Bmp image = Read(res / f.folder / ("i" + name));
            ASSERT_TRUE(image.ok) << name;
            EXPECT_EQ(image.bits, 24) << name;
            EXPECT_NE(credits.find(std::string(f.folder) + "/i" + name), std::string::npos)
                << "credited: " << name;
            if (!f.companions) {
                EXPECT_EQ(image.width, 800) << name;
                EXPECT_EQ(image.height, 600) << name;
                continue;
            }
            ASSERT_TRUE(companions.count(name)) << "no companion for i" << name;
            const Bmp alpha = Read(res / f.folder / ("a" + name));
            ASSERT_TRUE(alpha.ok) << name;
            EXPECT_EQ(alpha.bits, 8) << name;
            EXPECT_EQ(alpha.width, image.width) << name;
            EXPECT_EQ(alpha.height, image.height) << name;
            for (int i = 0; i < 256; ++i)
                ASSERT_TRUE(alpha.table[4 * i] == i && alpha.table[4 * i + 1] == i &&
                            alpha.table[4 * i + 2] == i)
                    << "identity grey table in a" << name;
        }
        for (const std::string& name : companions)
            EXPECT_TRUE(pictures.count(name)) << "companion a" << name << " without its picture";
    }
}

TEST_F(ResFolder, UncoveredPixelsAreWhiteSoThatThumbnailsShowTheirFiguresOnWhite) {
    for (const char* folder : {"chars", "props", "textblbs"}) {
        for (const auto& entry : fs::directory_iterator(res / folder)) {
            const std::string name = entry.path().filename().string();
            if (name[0] != 'i')
                continue;
            const Bmp image = Read(entry.path());
            std::string alphaName = name;
            alphaName[0] = 'a';
            const Bmp alpha = Read(res / folder / alphaName);
            ASSERT_TRUE(image.ok && alpha.ok) << name;
            int uncovered = 0, notWhite = 0;
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    if (alpha.Index(x, y) == 0) {
                        ++uncovered;
                        notWhite += image.Rgb(x, y) != std::array<int, 3>{255, 255, 255};
                    }
            EXPECT_EQ(notWhite, 0) << folder << "/" << name << " of " << uncovered << " uncovered pixels";
        }
    }
}

TEST_F(ResFolder, CommittedCreditsAreTheOnesTheToolWrites) {
    // The copy at the top of the repository tells readers where the pictures come from; when the content
    // changes, it must follow: copy res/CREDITS.txt of the build over it.
    const auto lines = [](const fs::path& path) {
        std::ifstream in(path);
        std::vector<std::string> all;
        for (std::string line; std::getline(in, line);)
            all.push_back(line);
        return all;
    };
    const std::vector<std::string> made = lines(res / "CREDITS.txt");
    const std::vector<std::string> committed = lines(fs::path(QUIMBLE_SOURCE_DIR) / "CREDITS.txt");
    ASSERT_FALSE(made.empty());
    // The first difference says what is out of date; the whole file would bury it.
    const auto [c, m] = std::mismatch(committed.begin(), committed.end(), made.begin(), made.end());
    EXPECT_TRUE(c == committed.end() && m == made.end())
        << "CREDITS.txt line " << (c - committed.begin()) + 1 << " is \"" << (c != committed.end() ? *c : "")
        << "\", the tool writes \"" << (m != made.end() ? *m : "") << "\"";
}
