#include "imaging/OwnPictures.h"
#include "imaging/ContentListing.h"
#include "imaging/DIBManager.h"
#include "platform/UserDataFolder.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
// Opaque red on the left half, nothing on the right half, half covered blue in the bottom row.
unsigned Figure(int x, int y, int width, int height) {
    if (y == height - 1)
        return 0x800000FF;
    return x < width / 2 ? 0xFFFF0000 : 0x00123456;
}

std::string Names(const CContentListing& listing) {
    std::string names, path;
    for (int i = 0; i < listing.GetCount(); ++i)
        names += (listing.GetFilePath(i, &path), path.substr(path.rfind('/') + 1)) + " ";
    return names;
}
} // namespace

TEST(OwnPictures, InstalledPicturesComeFirstThenTheUsersEachByName) {
    TempDir dir;
    for (const char* name : {"tree.bmp", "ahouse.bmp", "ihouse.bmp"})
        dir.Write(std::string("res/chars/") + name, "x");
    for (const char* name : {"Zebra.JPG", "apple.png", "notes.txt", ".hidden.png", "ant.bmp", "noending"})
        dir.Write(std::string("own/chars/") + name, "x");
    dir.Mkdir("own/chars/folder.png");
    CContentListing listing;
    listing.SetDefaultPattern("*.bmp");
    listing.SetFolders(dir.Join("res/chars"), dir.Join("own/chars"));
    EXPECT_EQ(Names(listing), "ihouse.bmp tree.bmp ant.bmp apple.png Zebra.JPG ")
        << "an installed companion is hidden; in the user's folder every picture shows, whatever its name";
    EXPECT_EQ(listing.IndexOf(dir.Join("own/chars/apple.png")), 3);
    EXPECT_EQ(listing.IndexOf(dir.Join("res/chars/apple.png")), -1);

    dir.Write("own/chars/banana.gif", "x");
    listing.Scan();
    EXPECT_EQ(Names(listing), "ihouse.bmp tree.bmp ant.bmp apple.png banana.gif Zebra.JPG ");
    listing.SetFolders(dir.Join("res/chars"), dir.Join("own/missing"));
    EXPECT_EQ(Names(listing), "ihouse.bmp tree.bmp ") << "no folder of the user's yet";
    listing.SetFolders(dir.Join("res/chars"), "");
    EXPECT_EQ(listing.GetCount(), 2);
}

TEST(OwnPictures, AddingCopiesReducesNumbersAndRefuses) {
    TempDir dir;
    const auto figure = [](int w, int h) { return [w, h](int x, int y) { return Figure(x, y, w, h); }; };
    const std::string small = EncodedPicture(40, 30, "png", figure(40, 30));
    const std::string big = EncodedPicture(3000, 1000, "png", figure(3000, 1000));
    const struct {
        std::string source; // a file of dir
        std::string bytes;
        COwnPictures::Result result;
        std::string kept; // the name in the folder, "" for none
        int width, height;
    } cases[] = {
        {"cat.png", small, COwnPictures::Result::added, "cat.png", 40, 30},
        {"again/cat.png", small, COwnPictures::Result::added, "cat-2.png", 40, 30},
        {"third/cat.png", small, COwnPictures::Result::added, "cat-3.png", 40, 30},
        {"wide.png", big, COwnPictures::Result::added, "wide.png", 2048, 682},
        {"photo", EncodedPicture(20, 10, "jpg", figure(20, 10), false), COwnPictures::Result::added,
         "photo.jpeg", 20, 10},
        // Qt's format plugins are installed with the program: photographs from the web come as WebP.
        {"web.webp", EncodedPicture(20, 10, "webp", figure(20, 10)), COwnPictures::Result::added, "web.webp",
         20, 10},
        {"broken.png", small.substr(0, small.size() / 2), COwnPictures::Result::unreadable, "", 0, 0},
        {"notes.png", "no picture", COwnPictures::Result::unreadable, "", 0, 0},
    };
    // The folder is made by the first picture that is kept, not before.
    COwnPictures refusing(dir.Join("own/chars"));
    EXPECT_EQ(refusing.Add(dir.Write("first.png", "no picture")), COwnPictures::Result::unreadable);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"first.png"}) << "no folder for a refused file";
    COwnPictures own(dir.Join("own/chars"));
    for (const auto& c : cases) {
        std::string kept = "unchanged";
        const auto before = std::filesystem::exists(own.GetFolder()) ? dir.List("own/chars").size() : 0;
        EXPECT_EQ(own.Add(dir.Write(c.source, c.bytes), &kept), c.result) << c.source;
        if (c.kept.empty()) {
            EXPECT_EQ(kept, "unchanged") << c.source;
            EXPECT_EQ(dir.List("own/chars").size(), before) << c.source << ": nothing is copied";
            continue;
        }
        EXPECT_EQ(kept, dir.Join("own/chars/" + c.kept)) << c.source;
        const QImage image = DecodedPicture(kept);
        EXPECT_EQ(image.width(), c.width) << c.source;
        EXPECT_EQ(image.height(), c.height) << c.source;
        if (c.width < COwnPictures::maxSide) {
            EXPECT_EQ(dir.Read("own/chars/" + c.kept), c.bytes) << c.source << ": copied as it is";
        }
    }
    const QImage wide = DecodedPicture(dir.Join("own/chars/wide.png"));
    EXPECT_EQ(qAlpha(wide.pixel(2000, 10)), 0) << "reduced, its alpha kept";
    EXPECT_EQ(wide.pixel(10, 10), 0xFFFF0000u);
}

TEST(OwnPictures, APictureWithAlphaIsReadAsPictureAndCoverage) {
    TempDir dir;
    const std::string path =
        dir.Write("figure.png", EncodedPicture(4, 3, "png", [](int x, int y) { return Figure(x, y, 4, 3); }));
    CDIB dib;
    ASSERT_TRUE(dib.Load(path));
    ASSERT_EQ(dib.BitCount(), 24);
    ASSERT_NE(dib.GetAlpha(), nullptr);
    CDIB& alpha = *dib.GetAlpha();
    EXPECT_EQ(alpha.BitCount(), 8);
    EXPECT_EQ(alpha.GetName(), path);
    ASSERT_TRUE(dib.BeginPixelAccess() && alpha.BeginPixelAccess());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const unsigned want = Figure(x, y, 4, 3);
            const BYTE* p = dib.PixelAddress(x, y);
            // What nothing shows of is white, as in the content pictures.
            const unsigned rgb = want >> 24 ? want & 0xFFFFFF : 0xFFFFFF;
            EXPECT_EQ(unsigned(p[2] << 16 | p[1] << 8 | p[0]), rgb) << x << "," << y;
            EXPECT_EQ(*alpha.PixelAddress(x, y), want >> 24) << x << "," << y;
        }

    // Without an alpha channel all of it shows: white is no hole in a photograph.
    CDIB photo;
    ASSERT_TRUE(photo.Load(
        dir.Write("photo.jpg", EncodedPicture(8, 8, "jpg", [](int, int) { return 0xFFFFFFFFu; }))));
    ASSERT_NE(photo.GetAlpha(), nullptr);
    ASSERT_TRUE(photo.GetAlpha()->BeginPixelAccess());
    EXPECT_EQ(*photo.GetAlpha()->PixelAddress(7, 7), 255);
    EXPECT_FALSE(CDIB().Load(dir.Write("text.png", "no picture")));
}

TEST(OwnPictures, TheUsersPicturesHaveNoCompanions) {
    ScopedDataHome data;
    TempDir installed;
    CDIB companion;
    companion.Create(3, 3, 24);
    for (const std::string& folder : {installed.path, UserDataFolder()}) {
        std::filesystem::create_directories(folder);
        companion.Save(folder + "/ahouse.bmp");
        companion.Save(folder + "/ihouse.bmp");
    }
    CDIBManager manager;
    const CDIBRef installedHouse = manager.GetDIB(installed.Join("ihouse.bmp"));
    const CDIBRef ownHouse = manager.GetDIB(UserDataFolder() + "/ihouse.bmp");
    ASSERT_TRUE(installedHouse && ownHouse);
    EXPECT_NE(installedHouse->GetAlpha(), nullptr) << "an installed picture has its companion";
    EXPECT_EQ(ownHouse->GetAlpha(), nullptr) << "a picture of the user's own stands alone";
    EXPECT_EQ(UserDataFolder(), data.home.Join("quimble"));
}
