#include "platform/Palette.h"
#include "support/BmpFixtures.h"
#include "support/Pictures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(DIBSlot, CopiesTheLayerPictureAndPlacesItAtFiveNinthsOfItsSize) {
    auto source = SolidPicture(18, 9, RGB(1, 2, 3));
    CDIBSlot slot;
    EXPECT_EQ(slot.m_changed, 1);
    slot.m_visible = 1;
    slot.m_x = 40;
    ASSERT_TRUE(slot.CreateFromLayerDib(source.get(), 5));
    EXPECT_EQ(slot.m_source, source.get());
    EXPECT_EQ(slot.m_key, 5u);
    EXPECT_EQ(slot.m_x, 0);
    EXPECT_EQ(slot.m_width, 10);
    EXPECT_EQ(slot.m_height, 5);
    EXPECT_EQ(slot.m_visible, 1);
    EXPECT_EQ(slot.m_changed, 1);
    EXPECT_NE(slot.GetBlock(), source->GetBlock());
    EXPECT_EQ(0, std::memcmp(slot.GetBlock(), source->GetBlock(), source->GetSize()));

    EXPECT_FALSE(slot.CreateFromLayerDib(nullptr, 5));
    EXPECT_FALSE(slot.CreateFromLayerDib(source.get(), 0));
    CDIB empty;
    EXPECT_FALSE(slot.CreateFromLayerDib(&empty, 5));
}

// An 8-bit layer picture becomes a 24-bit copy in its table's colours, so that composing always reads
// whole pixels inside the picture; the layer's own picture stays as it was.
TEST(DIBSlot, APictureWithAColourTableBecomesATrueColourCopy) {
    CDIB source;
    ASSERT_TRUE(source.Create(3, 2, 8));
    auto* table =
        reinterpret_cast<RGBQUAD*>(const_cast<BYTE*>(source.GetBlock()) + source.GetHeader()->biSize);
    table[0] = {10, 20, 30, 0};
    table[1] = {40, 50, 60, 0};
    source.GetBits()[0] = 1; // bottom-left
    source.GetBits()[1] = 0;
    source.GetBits()[source.GetStride() + 2] = 1; // top-right
    auto before = source.Clone();

    CDIBSlot slot;
    ASSERT_TRUE(slot.CreateFromLayerDib(&source, 1));
    EXPECT_EQ(slot.BitCount(), 24);
    EXPECT_EQ(PixelAt(slot, 0, 1), RGB(60, 50, 40));
    EXPECT_EQ(PixelAt(slot, 1, 1), RGB(30, 20, 10));
    EXPECT_EQ(PixelAt(slot, 2, 0), RGB(60, 50, 40));
    EXPECT_EQ(source.GetSize(), before->GetSize());
    EXPECT_EQ(0, std::memcmp(source.GetBlock(), before->GetBlock(), source.GetSize()));
}

// 5-5-5 pixels widen to the full range (31 is 255), 32-bit ones lose their fourth byte; the copy's size is
// what the layered file reader reckons with.
TEST(DIBSlot, DirectColoursBecomeTheirFullColours) {
    TempDir dir;
    for (auto [bits, first, second, colour] : {std::tuple{16, 0x7FFFu, 0x4210u, RGB(132, 132, 132)},
                                               {32, 0x12FFFFFFu, 0x00848484u, RGB(132, 132, 132)}}) {
        CDIB source;
        CDIBSlot slot;
        const std::string rows = PackRows(2, bits, {{first, second}});
        ASSERT_TRUE(source.Load(dir.Write("p.bmp", MakeBmp({2, 1, WORD(bits), BI_RGB, 0, 40, {}, rows}))));
        ASSERT_TRUE(slot.CreateFromLayerDib(&source, 1));
        EXPECT_EQ(PixelAt(slot, 0, 0), RGB(255, 255, 255)) << bits;
        EXPECT_EQ(PixelAt(slot, 1, 0), colour) << bits;
        EXPECT_EQ(CDIBSlot::CopySize(source), slot.GetSize()) << bits;
    }
}
