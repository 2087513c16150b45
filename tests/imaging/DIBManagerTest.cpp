#include "imaging/DIBManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(DIBManager, SharesPicturesByExactPathAndCountsHolders) {
    TempDir dir;
    CDIB maker;
    maker.Create(3, 1, 24);
    maker.Save(dir.Join("ihouse.bmp"));
    maker.Save(dir.Join("ahouse.bmp"));
    const std::string path = dir.Join("ihouse.bmp");
    CDIBManager manager;
    EXPECT_EQ(manager.GetDIB(dir.Join("missing.bmp")), nullptr);
    CDIB* a = manager.GetDIB(path);
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a->GetAlpha(), nullptr) << "loaded with its alpha companion";
    EXPECT_EQ(manager.GetDIB(path), a);
    EXPECT_EQ(a->GetRefCount(), 2u);
    CDIB* b = manager.GetDIB(dir.path + "//ihouse.bmp");
    EXPECT_NE(b, a) << "another spelling of the path is another picture";
    EXPECT_EQ(manager.GetCount(), 2);
    EXPECT_TRUE(manager.Release(b));
    EXPECT_TRUE(manager.Release(a));
    EXPECT_EQ(manager.GetDIB(path), a) << "still listed while held";
    EXPECT_TRUE(manager.Release(a));
    EXPECT_TRUE(manager.Release(a));
    EXPECT_EQ(manager.GetCount(), 0);
    maker.Create(5, 1, 24);
    maker.Save(path);
    ASSERT_NE(a = manager.GetDIB(path), nullptr);
    EXPECT_EQ(a->GetWidth(), 5) << "the last release destroyed it: read again";

    auto* made = new CDIB;
    EXPECT_TRUE(manager.Add(made));
    EXPECT_TRUE(manager.Add(made));
    EXPECT_EQ(made->GetRefCount(), 1u) << "listing twice counts once";
    EXPECT_FALSE(manager.Add(nullptr));
    CDIB stranger;
    EXPECT_FALSE(manager.Release(&stranger));
    EXPECT_EQ(manager.GetCount(), 2); // the manager destroys what is left with itself
}
