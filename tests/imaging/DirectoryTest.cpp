#include "imaging/ThumbDirectory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
std::string Names(const CDirectory& d) {
    std::string names, path;
    for (int i = 0; i < d.GetCount(); ++i)
        names += (d.GetFilePath(i, &path), path.substr(d.GetPath().size())) + " ";
    return names;
}
} // namespace

TEST(Directory, ListingsFiltersAndPaths) {
    TempDir dir;
    for (const char* name : {"tree.bmp", "ahouse.bmp", "Aboat.bmp", "ihouse.bmp", "notes.txt"})
        dir.Write(std::string("props/") + name, "x");
    dir.Mkdir("props/sub.bmp");
    CThumbDirectory thumbs;
    thumbs.SetDefaultPattern("*.bmp");
    ASSERT_TRUE(thumbs.SetPath(dir.Join("props")));
    EXPECT_EQ(Names(thumbs), "/ihouse.bmp /sub.bmp /tree.bmp ");
    ASSERT_TRUE(thumbs.Scan("*.TXT"));
    EXPECT_EQ(Names(thumbs), "/notes.txt ");
    ASSERT_TRUE(thumbs.Scan());
    EXPECT_EQ(thumbs.GetCount(), 3) << "a pattern given to Scan is for that listing only";

    CDirectory all;
    EXPECT_FALSE(all.Scan()) << "no folder yet";
    ASSERT_TRUE(all.SetPath(dir.Join("props")));
    EXPECT_EQ(Names(all), "/. /.. /Aboat.bmp /ahouse.bmp /ihouse.bmp /notes.txt /sub.bmp /tree.bmp ");
    std::string path = "unchanged";
    EXPECT_FALSE(all.GetFilePath(-1, &path));
    EXPECT_FALSE(all.GetFilePath(all.GetCount(), &path));
    EXPECT_EQ(path, "unchanged");
    ASSERT_TRUE(all.SetPath(dir.Join("missing")));
    EXPECT_EQ(all.GetCount(), 0);
}
