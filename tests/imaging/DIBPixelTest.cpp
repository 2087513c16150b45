#include "support/BmpFixtures.h"

#include <gtest/gtest.h>

TEST(DIBPixels, AddressesFollowPictureCoordinatesAndMirrorFlags) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    BYTE* bits = dib.GetBits();
    EXPECT_EQ(dib.PixelAddress(0, 0), nullptr) << "access not prepared";
    ASSERT_TRUE(dib.BeginPixelAccess());
    EXPECT_EQ(dib.PixelAddress(0, 0), bits + 12) << "first pixel of the last stored row";
    EXPECT_EQ(dib.PixelAddress(2, 1), bits + 6);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}})
        EXPECT_EQ(dib.PixelAddress(x, y), nullptr);
    dib.SetMirrorHorizontal(1);
    EXPECT_EQ(dib.PixelAddress(0, 0), bits + 12 + 6);
    dib.SetMirrorVertical(1);
    EXPECT_EQ(dib.PixelAddress(0, 0), bits + 6);
    EXPECT_EQ(dib.PixelAddressDirect(0, 0), bits + 6);
    dib.EndPixelAccess();
    EXPECT_EQ(dib.PixelAddress(0, 0), nullptr);
    EXPECT_FALSE(CDIB().BeginPixelAccess());
}

TEST(DIBPixels, CreateFillCloneFreeAndAttach) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    EXPECT_FALSE(dib.Create(0, 10, 24));
    EXPECT_FALSE(dib.Create(CDIB::maxDimension, CDIB::maxDimension, 24)) << "3 GiB of rows";
    EXPECT_FALSE(dib.Create(2, 2, 16)) << "only 8 and 24 bits are made";
    EXPECT_EQ(dib.GetWidth(), 3) << "a failed Create keeps the image";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(dib.GetBits()), 12),
              std::string(9, '\xff') + std::string(3, '\0'));
    const RECT r{5, 1, 1, -3}; // normalised, clipped, half-open
    ASSERT_TRUE(dib.Fill(RGB(1, 2, 3), &r));
    EXPECT_EQ(At(dib, 1, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(dib, 2, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(dib, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(At(dib, 1, 1), RGB(255, 255, 255));

    dib.SetName("name");
    dib.SetMirrorVertical(1);
    dib.SetStretchMode(HALFTONE);
    dib.AddRef(), dib.AddRef(), dib.AddRef();
    auto copy = dib.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::memcmp(copy->GetBlock(), dib.GetBlock(), dib.GetSize()), 0);
    EXPECT_EQ(copy->GetName() + std::to_string(copy->GetStretchMode()) +
                  std::to_string(copy->GetMirrorVertical()),
              "30");
    dib.Free();
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetRefCount() + dib.GetStretchMode() + dib.GetMirrorVertical(), 0u);
    EXPECT_EQ(dib.GetName(), "name");

    // Attach takes a block that describes itself and refuses one that does not.
    for (DWORD size : {copy->GetSize() - 1, copy->GetSize()}) {
        auto block = std::make_unique<BYTE[]>(size);
        std::memcpy(block.get(), copy->GetBlock(), size);
        EXPECT_EQ(dib.Attach(std::move(block), size, "attached"), size == copy->GetSize());
    }
    EXPECT_EQ(dib.GetName(), "attached");
    EXPECT_EQ(At(dib, 1, 0), RGB(1, 2, 3));

    dib.AddRef(), dib.AddRef();
    EXPECT_FALSE(dib.Release());
    EXPECT_TRUE(dib.Release());
    EXPECT_TRUE(dib.Release()) << "no reference left: the count never wraps round";
}
