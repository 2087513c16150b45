#include "imaging/DIBManager.h"
#include "BmpFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
std::string SavePicture(const TempDir& dir, const std::string& name, int width) {
    CDIB dib;
    dib.Create(width, 1, 24);
    dib.Save(dir.Join(name));
    return dir.Join(name);
}
} // namespace

TEST(DIBManager, SharesPicturesByExactPathAndCountsHolders) {
    TempDir dir;
    const std::string path = SavePicture(dir, "ihouse.bmp", 3);
    SavePicture(dir, "ahouse.bmp", 1);
    CDIBManager manager;
    CDIB* a = manager.GetDIB(path);
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a->GetAlpha(), nullptr) << "loaded with its alpha companion";
    EXPECT_EQ(manager.GetDIB(path), a);
    EXPECT_EQ(a->GetRefCount(), 2u);
    EXPECT_EQ(manager.GetCount(), 1);

    // Another spelling of the same file is another picture.
    CDIB* b = manager.GetDIB(dir.path + "//ihouse.bmp");
    ASSERT_NE(b, nullptr);
    EXPECT_NE(b, a);
    EXPECT_EQ(manager.GetCount(), 2);
    EXPECT_TRUE(manager.Release(b));
    EXPECT_EQ(manager.GetCount(), 1);

    EXPECT_TRUE(manager.Release(a));
    EXPECT_EQ(a->GetRefCount(), 1u);
    EXPECT_EQ(manager.GetDIB(path), a) << "still listed while held";
    EXPECT_TRUE(manager.Release(a));
    EXPECT_TRUE(manager.Release(a));
    EXPECT_EQ(manager.GetCount(), 0);
    // The last release destroyed it: the next look-up reads the file again.
    SavePicture(dir, "ihouse.bmp", 5);
    CDIB* again = manager.GetDIB(path);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetWidth(), 5);
    EXPECT_EQ(again->GetRefCount(), 1u);
}

TEST(DIBManager, AddReleaseAndMissingFiles) {
    TempDir dir;
    CDIBManager manager;
    EXPECT_EQ(manager.GetDIB(dir.Join("missing.bmp")), nullptr);
    EXPECT_EQ(manager.GetCount(), 0);

    auto* made = new CDIB;
    made->Create(2, 2, 24);
    EXPECT_FALSE(manager.Add(nullptr));
    EXPECT_TRUE(manager.Add(made));
    EXPECT_TRUE(manager.Add(made));
    EXPECT_EQ(made->GetRefCount(), 1u) << "listing twice counts once";
    EXPECT_EQ(manager.GetCount(), 1);

    CDIB stranger;
    EXPECT_FALSE(manager.Release(&stranger));
    EXPECT_FALSE(manager.Release(nullptr));
    // made stays listed: the manager destroys it with itself.
}
