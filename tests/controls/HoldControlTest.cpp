#include "support/ControlTestKit.h"

#include "controls/HoldControl.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "support/TempDir.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
constexpr COLORREF field = RGB(171, 213, 171);
constexpr COLORREF red = RGB(220, 20, 20);
constexpr COLORREF blue = RGB(20, 20, 220);

std::unique_ptr<CDIB> Solid(int width, int height, COLORREF colour) {
    auto dib = std::make_unique<CDIB>();
    dib->Create(width, height, 24);
    dib->Fill(colour);
    return dib;
}

// Two cells of 108 x 83 as the view makes them (keep aspect, margins 2): the field is 104 x 79.
struct Cells {
    Cells() : view(DESIGN_WIDTH, DESIGN_HEIGHT) {
        for (int i = 0; i < 2; ++i) {
            cell[i] = new CHoldControl(&view, &view, 100021 + i, {10 + 120 * i, 10, 118 + 120 * i, 93},
                                       nullptr, CTL_KEEP_ASPECT, 0, 2, 2);
            view.AddControl(cell[i]);
        }
        wide = Write("wide.bmp", 200, 100, red);
        overlay = Write("hold.bmp", 30, 30, blue);
        Settle();
    }
    std::string Write(const char* name, int width, int height, COLORREF colour) {
        const std::string path = dir.Join(name);
        Solid(width, height, colour)->Save(path);
        return path;
    }
    int Pictures() { return view.GetDIBManager().GetCount(); }

    TempDir dir;
    CTestView view;
    CHoldControl* cell[2];
    std::string wide, overlay;
};
} // namespace

TEST(HoldControl, MakesTheThumbnailOncePerPictureAndShowsItWithThePicturesProportions) {
    Cells c;
    CHoldControl* cell = c.cell[0];
    EXPECT_FALSE(cell->SetImageFromFile(""));
    EXPECT_FALSE(cell->SetImageFromFile(c.dir.Join("missing.bmp").c_str()));
    ASSERT_TRUE(cell->SetImageFromFile(c.wide.c_str()));
    CDIB* thumbnail = cell->GetThumbnail();
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->GetWidth(), 100);
    EXPECT_EQ(thumbnail->GetHeight(), 75);
    EXPECT_EQ((cell->GetFlags() & CTL_SHOW_STATES), CTL_SHOW_STATES);

    cell->ShowOverlay(true);
    EXPECT_TRUE(cell->SetImageFromFile(c.wide.c_str()));
    EXPECT_EQ(cell->GetThumbnail(), thumbnail) << "the same picture keeps its thumbnail";
    EXPECT_EQ(cell->GetImage()->GetRefCount(), 1u);
    EXPECT_TRUE(cell->GetFlags() & CTL_SHOW_OVERLAY) << "and changes nothing else";

    // 2:1 into 104 x 79: 52 rows high, re-based at 0 and moved down by (79 - 52) / 2, so rows 13 to 64.
    cell->ShowOverlay(false);
    EXPECT_EQ(PixelOf(cell, 50, 12), field);
    EXPECT_EQ(PixelOf(cell, 50, 13), red);
    EXPECT_EQ(PixelOf(cell, 50, 64), red);
    EXPECT_EQ(PixelOf(cell, 50, 65), field);

    // On a palette screen the thumbnail is 8-bit; the picture stays as read.
    CDIB table;
    ASSERT_TRUE(table.Create(2, 2, 8));
    ASSERT_TRUE(c.view.SetPalette(&table));
    ASSERT_TRUE(c.cell[1]->SetImageFromFile(c.wide.c_str()));
    EXPECT_EQ(c.cell[1]->GetImage()->BitCount(), 24);
    EXPECT_EQ(c.cell[1]->GetThumbnail()->BitCount(), 8);
}

TEST(HoldControl, AnEmptyCellShowsItsOverlayAsAFourByThreePicture) {
    Cells c;
    CHoldControl* cell = c.cell[0];
    EXPECT_TRUE(cell->SetOverlayFromFile(c.overlay.c_str()));
    EXPECT_TRUE(cell->SetOverlayFromFile(c.overlay.c_str()));
    EXPECT_TRUE(cell->GetFlags() & CTL_HAS_OVERLAY);
    EXPECT_EQ(cell->GetOverlay()->GetRefCount(), 1u) << "the same overlay again keeps one reference";
    EXPECT_FALSE(cell->SetOverlayFromFile(c.dir.Join("missing.bmp").c_str()));

    cell->ShowOverlay(true);
    // The square overlay fitted as 4:3 into 104 x 79: 78 rows high, from row 0.
    EXPECT_EQ(PixelOf(cell, 50, 40), blue);
    EXPECT_EQ(PixelOf(cell, 50, 77), blue);
    EXPECT_EQ(PixelOf(cell, 50, 79), field);

    c.view.RemoveAll();
    EXPECT_EQ(c.Pictures(), 0) << "the overlay is given back with the cell";
}

TEST(HoldControl, TakingMovesThePictureAndSwappingMovesTheLookToo) {
    Cells c;
    CHoldControl* a = c.cell[0];
    CHoldControl* b = c.cell[1];
    ASSERT_TRUE(a->SetImageFromFile(c.wide.c_str()));
    CDIB* picture = a->GetImage();
    CDIB* thumbnail = a->GetThumbnail();
    a->SetSelected(true);
    const std::uint32_t aFlags = a->GetFlags(), bFlags = b->GetFlags();

    EXPECT_TRUE(b->SwapImagesWith(a));
    EXPECT_EQ(b->GetImage(), picture);
    EXPECT_EQ(b->GetThumbnail(), thumbnail);
    EXPECT_EQ(a->GetImage(), nullptr);
    EXPECT_EQ(b->GetFlags(), aFlags);
    EXPECT_EQ(a->GetFlags(), bFlags);

    EXPECT_TRUE(a->TakeImageFrom(b));
    EXPECT_EQ(a->GetImage(), picture);
    EXPECT_EQ(a->GetThumbnail(), thumbnail);
    EXPECT_EQ(b->GetImage(), nullptr);
    EXPECT_EQ(b->GetThumbnail(), nullptr);
    EXPECT_EQ(picture->GetRefCount(), 1u) << "the holding moved";
    EXPECT_EQ(a->GetFlags(), bFlags) << "flags stay where they were";
    b->Draw(nullptr);
    EXPECT_EQ(PixelOf(b, 50, 40), field) << "the source draws as empty";

    a->ClearImage();
    EXPECT_EQ(c.Pictures(), 0);
    EXPECT_FALSE(a->DeleteThumbnail());
    EXPECT_FALSE(a->TakeImageFrom(nullptr));
    EXPECT_FALSE(a->SwapImagesWith(nullptr));
}

// A picture made in memory has no path: the copy must hold a reference of its own, or the first holder
// to let go would destroy the picture the other still shows.
TEST(HoldControl, ACopyHoldsAReferenceOfItsOwnAlsoOfAPictureMadeInMemory) {
    Cells c;
    CHoldControl* a = c.cell[0];
    CHoldControl* b = c.cell[1];
    EXPECT_FALSE(b->CopyImageFrom(a)) << "nothing to copy";
    ASSERT_TRUE(a->SetImage(Solid(40, 30, red)));
    CDIB* text = a->GetImage();
    ASSERT_TRUE(b->CopyImageFrom(a));
    EXPECT_EQ(b->GetImage(), text);
    EXPECT_EQ(text->GetRefCount(), 2u);
    ASSERT_NE(b->GetThumbnail(), nullptr);
    EXPECT_NE(b->GetThumbnail(), a->GetThumbnail());
    EXPECT_EQ(0, std::memcmp(b->GetThumbnail()->GetBlock(), a->GetThumbnail()->GetBlock(),
                             a->GetThumbnail()->GetSize()));
    EXPECT_TRUE(b->CopyImageFrom(b)) << "a copy of itself keeps its one reference";
    EXPECT_EQ(text->GetRefCount(), 2u);

    a->ClearImage();
    EXPECT_EQ(text->GetRefCount(), 1u);
    b->Draw(nullptr);
    EXPECT_EQ(PixelOf(b, 50, 40), red);
    b->ClearImage();
    EXPECT_EQ(c.Pictures(), 0);

    // A picture read from a file is shared by its path.
    ASSERT_TRUE(a->SetImageFromFile(c.wide.c_str()));
    ASSERT_TRUE(b->CopyImageFrom(a));
    EXPECT_EQ(b->GetImage(), a->GetImage());
    EXPECT_EQ(a->GetImage()->GetRefCount(), 2u);

    // Without a thumbnail at the source the picture is taken and shown, and no thumbnail of the former
    // one stays. A picture that carries a file's name is still itself, not the file.
    auto named = Solid(40, 30, blue);
    named->SetName(c.wide);
    ASSERT_TRUE(a->SetImage(std::move(named)));
    a->DeleteThumbnail();
    EXPECT_FALSE(b->CopyImageFrom(a));
    EXPECT_EQ(b->GetImage(), a->GetImage());
    EXPECT_EQ(b->GetThumbnail(), nullptr);
    EXPECT_EQ(PixelOf(b, 50, 40), blue);
}
