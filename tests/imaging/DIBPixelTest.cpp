#include "BmpFixtures.h"
#include "imaging/DIB.h"

#include <gtest/gtest.h>

TEST(DIBPixels, AddressesFollowPictureCoordinatesAndMirrorFlags) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    BYTE* bits = dib.GetBits();
    const DWORD stride = dib.GetStride();
    EXPECT_EQ(stride, 12u);
    EXPECT_EQ(dib.PixelAddress(0, 0), nullptr) << "access not prepared";
    ASSERT_TRUE(dib.BeginPixelAccess());
    EXPECT_EQ(dib.PixelAddress(0, 0), bits + stride) << "first pixel of the last stored row";
    EXPECT_EQ(dib.PixelAddress(2, 1), bits + 6);
    EXPECT_EQ(dib.PixelAddress(-1, 0), nullptr);
    EXPECT_EQ(dib.PixelAddress(0, -1), nullptr);
    EXPECT_EQ(dib.PixelAddress(3, 0), nullptr);
    EXPECT_EQ(dib.PixelAddress(0, 2), nullptr);
    dib.SetMirrorHorizontal(1);
    EXPECT_EQ(dib.PixelAddress(0, 0), bits + stride + 6);
    dib.SetMirrorVertical(1);
    EXPECT_EQ(dib.PixelAddress(0, 0), bits + 6);
    EXPECT_EQ(dib.PixelAddressDirect(0, 0), bits + 6) << "direct addressing honours the flags too";
    dib.SetMirrorHorizontal(0);
    EXPECT_EQ(dib.PixelAddress(1, 1), bits + stride + 3);
    dib.EndPixelAccess();
    EXPECT_EQ(dib.PixelAddress(0, 0), nullptr);
    EXPECT_EQ(dib.PixelAddressDirect(3, 0), nullptr);

    CDIB empty;
    EXPECT_FALSE(empty.BeginPixelAccess());
    EXPECT_EQ(empty.PixelAddressDirect(0, 0), nullptr);
    EXPECT_EQ(empty.NumColors() + empty.PaletteSize() + empty.BitCount(), 0u);
}

TEST(DIBPixels, CreateAndFill) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    EXPECT_FALSE(dib.Create(0, 10, 24));
    EXPECT_FALSE(dib.Create(10, -1, 24));
    EXPECT_FALSE(dib.Create(CDIB::maxDimension + 1, 1, 24));
    EXPECT_FALSE(dib.Create(CDIB::maxDimension, CDIB::maxDimension, 24)) << "3 GiB of rows";
    EXPECT_EQ(dib.GetWidth(), 3) << "a failed Create keeps the image";
    const BITMAPINFOHEADER& h = *dib.GetHeader();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biSizeImage, 24u);
    EXPECT_EQ(dib.GetSize(), 64u);
    for (int i = 0; i < 24; i += 4)
        EXPECT_EQ(dib.GetBits()[i], i % 12 < 9 ? 255 : 0) << "white pixels, zero padding, at " << i;

    // The rectangle is normalised, clipped, half-open and in picture coordinates.
    const RECT r{5, 1, 1, -3};
    ASSERT_TRUE(dib.Fill(RGB(1, 2, 3), &r));
    dib.BeginPixelAccess();
    EXPECT_EQ(dib.PixelAddress(1, 0)[0], 3);
    EXPECT_EQ(dib.PixelAddress(1, 0)[2], 1);
    EXPECT_EQ(dib.PixelAddress(2, 0)[1], 2);
    EXPECT_EQ(dib.PixelAddress(0, 0)[0], 255);
    EXPECT_EQ(dib.PixelAddress(1, 1)[0], 255);

    ASSERT_TRUE(dib.Create(2, 2, 0));
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_FALSE(dib.Create(2, 2, 16)) << "only 8 and 24 bits are made";
    ASSERT_TRUE(dib.Create(5, 1, 8));
    EXPECT_EQ(dib.GetBits()[4], 255) << "white is index 255";
    EXPECT_FALSE(CDIB().Fill(0));
}

TEST(DIBPixels, FreeCloneAttachAndReferenceCount) {
    CDIB dib;
    EXPECT_EQ(dib.GetStretchMode(), COLORONCOLOR);
    dib.Create(2, 3, 24);
    dib.SetName("name");
    const RECT r{0, 0, 1, 1};
    dib.Fill(RGB(9, 8, 7), &r);
    dib.SetMirrorVertical(1);
    dib.SetStretchMode(HALFTONE);
    dib.AddRef(), dib.AddRef(), dib.AddRef();

    auto copy = dib.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetSize(), dib.GetSize());
    EXPECT_EQ(std::memcmp(copy->GetBlock(), dib.GetBlock(), dib.GetSize()), 0);
    EXPECT_EQ(copy->GetName(), "");
    EXPECT_EQ(copy->GetStretchMode(), COLORONCOLOR);
    EXPECT_EQ(copy->GetMirrorVertical(), 0);
    EXPECT_EQ(copy->GetRefCount(), 0u);

    dib.Free();
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetRefCount(), 0u);
    EXPECT_EQ(dib.GetStretchMode(), 0);
    EXPECT_EQ(dib.GetMirrorVertical(), 0);
    EXPECT_EQ(dib.GetName(), "name");
    EXPECT_EQ(dib.Clone(), nullptr);

    // Attach takes a block that describes itself, and refuses one that does not.
    auto block = std::make_unique<BYTE[]>(copy->GetSize());
    std::memcpy(block.get(), copy->GetBlock(), copy->GetSize());
    ASSERT_TRUE(dib.Attach(std::move(block), copy->GetSize(), "attached"));
    EXPECT_EQ(dib.GetName(), "attached");
    EXPECT_EQ(dib.PixelAddressDirect(0, 0)[0], 7);
    auto shortBlock = std::make_unique<BYTE[]>(copy->GetSize());
    std::memcpy(shortBlock.get(), copy->GetBlock(), copy->GetSize());
    EXPECT_FALSE(dib.Attach(std::move(shortBlock), copy->GetSize() - 1));
    EXPECT_FALSE(dib.Attach(nullptr, 100));
    EXPECT_EQ(dib.GetName(), "attached");
    EXPECT_FALSE(dib.IsEmpty());

    dib.AddRef(), dib.AddRef();
    EXPECT_FALSE(dib.Release());
    EXPECT_TRUE(dib.Release());
    EXPECT_TRUE(dib.Release()) << "no reference left: never wraps round";
    EXPECT_EQ(dib.GetRefCount(), 0u);
}
