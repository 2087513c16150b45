#include "imaging/ThumbDirectory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Names(const CDirectory& d) {
    std::vector<std::string> names;
    for (int i = 0; i < d.GetCount(); ++i) {
        std::string path;
        d.GetFilePath(i, &path);
        names.push_back(path.substr(d.GetPath().size() + 1));
    }
    return names;
}
} // namespace

TEST(Directory, ThumbListingLeavesOutAlphaCompanions) {
    TempDir dir;
    for (const char* name : {"tree.bmp", "ahouse.bmp", "Aboat.bmp", "ihouse.bmp", "notes.txt"})
        dir.Write(name, "x");
    CThumbDirectory thumbs;
    thumbs.SetDefaultPattern("*.bmp");
    ASSERT_TRUE(thumbs.SetPath(dir.path));
    EXPECT_EQ(Names(thumbs), (std::vector<std::string>{"ihouse.bmp", "tree.bmp"}));
    // A pattern given to Scan is for that listing only.
    ASSERT_TRUE(thumbs.Scan("*.TXT"));
    EXPECT_EQ(Names(thumbs), std::vector<std::string>{"notes.txt"});
    ASSERT_TRUE(thumbs.Scan());
    EXPECT_EQ(thumbs.GetCount(), 2);
}

TEST(Directory, PlainListingPathsAndBounds) {
    TempDir dir;
    dir.Write("props/b.bmp", "x");
    dir.Mkdir("props/sub.bmp");
    CDirectory listing;
    EXPECT_FALSE(listing.Scan()) << "no folder yet";
    ASSERT_TRUE(listing.SetPath(dir.Join("props")));
    EXPECT_EQ(Names(listing), (std::vector<std::string>{".", "..", "b.bmp", "sub.bmp"}));
    std::string path = "unchanged";
    ASSERT_TRUE(listing.GetFilePath(2, &path));
    EXPECT_EQ(path, dir.Join("props") + "/b.bmp");
    path = "unchanged";
    EXPECT_FALSE(listing.GetFilePath(-1, &path));
    EXPECT_FALSE(listing.GetFilePath(listing.GetCount(), &path));
    EXPECT_EQ(path, "unchanged");
    EXPECT_FALSE(listing.GetFilePath(0, nullptr));

    ASSERT_TRUE(listing.SetPath(dir.Join("missing")));
    EXPECT_EQ(listing.GetCount(), 0);
}
