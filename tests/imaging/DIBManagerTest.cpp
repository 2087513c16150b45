#include "imaging/DIBManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(DIBManager, SharesFilePicturesByExactPathAndDestroysThemWithTheirLastReference) {
    TempDir dir;
    CDIB maker;
    maker.Create(3, 1, 24);
    maker.Save(dir.Join("ihouse.bmp"));
    maker.Save(dir.Join("ahouse.bmp"));
    const std::string path = dir.Join("ihouse.bmp");
    CDIBManager manager;
    EXPECT_FALSE(manager.GetDIB(dir.Join("missing.bmp")));
    CDIBRef a = manager.GetDIB(path);
    ASSERT_TRUE(a);
    EXPECT_NE(a->GetAlpha(), nullptr) << "loaded with its alpha companion";
    {
        CDIBRef again = manager.GetDIB(path);
        const CDIBRef copy = again;
        EXPECT_EQ(again, a);
        EXPECT_EQ(a->GetRefCount(), 3u) << "one reference per holder";
        CDIBRef moved = std::move(again);
        EXPECT_FALSE(again);
        EXPECT_EQ(a->GetRefCount(), 3u) << "a move hands the reference on";
    }
    EXPECT_EQ(a->GetRefCount(), 1u);
    CDIBRef b = manager.GetDIB(dir.path + "//ihouse.bmp");
    EXPECT_NE(b, a) << "another spelling of the path is another picture";
    EXPECT_EQ(manager.GetCount(), 2);
    b.reset();
    a.reset();
    EXPECT_EQ(manager.GetCount(), 0);
    maker.Create(5, 1, 24);
    maker.Save(path);
    ASSERT_TRUE(a = manager.GetDIB(path));
    EXPECT_EQ(a->GetWidth(), 5) << "the last reference destroyed it: read again";

    // A picture made elsewhere under the same name is never handed out for the file.
    auto made = std::make_unique<CDIB>();
    made->Create(7, 1, 24);
    made->SetName(path);
    const CDIBRef adopted = manager.Adopt(std::move(made));
    ASSERT_TRUE(adopted);
    EXPECT_EQ(manager.GetDIB(path), a);
    EXPECT_FALSE(manager.Adopt(nullptr));
    EXPECT_EQ(manager.GetCount(), 2);
}
