// The flat exports and printing compose the picture the layers hold, at a size of the layers alone.

#include "LayerScreen.h"

#include "platform/DC.h"

namespace {
constexpr COLORREF red = RGB(230, 10, 10), blue = RGB(10, 20, 200);

class PictureOutput : public LayerScreen {
protected:
    // Puts a plain picture on layer i and places its slot in design units.
    void Place(int i, COLORREF colour, int pixelWidth, int pixelHeight, RECT place) {
        const std::uint32_t key = Put(i, SolidPicture(pixelWidth, pixelHeight, colour));
        Update();
        CDIBSlot* slot = mixer->FindDibSlot(key);
        ASSERT_NE(slot, nullptr);
        SlotState placed = slot->GetPlace();
        placed.x = place.left, placed.y = place.top, placed.width = place.Width(),
        placed.height = place.Height();
        slot->SetPlace(placed);
    }
};
} // namespace

TEST_F(PictureOutput, ExportWritesTheSamePictureAtEveryWindowSizeAndLeavesTheCanvas) {
    Place(9, red, 1024, 768, {0, 0, 569, 421});
    Place(8, blue, 100, 100, {200, 100, 250, 150});
    const double sx = GetScaleX();
    const RECT target = mixer->GetFlatPictureTarget();
    // The picture area's proportions at the big picture's denser axis: 768 / 421 pixels a unit.
    EXPECT_EQ(target, (RECT{0, 0, 1038, 768}));
    ASSERT_TRUE(mixer->ExportBitmap(dir.Join("out.bmp").c_str(), &target));
    CDIB written;
    ASSERT_TRUE(written.Load(dir.Join("out.bmp")));
    EXPECT_EQ(written.GetWidth(), 1038);
    EXPECT_EQ(written.GetHeight(), 768);
    EXPECT_EQ(PixelAt(written, 1037, 767), red);
    EXPECT_EQ(PixelAt(written, 410, 230), blue);
    const int canvasWidth = mixer->GetCanvas().GetWidth();

    // Another window, of another shape: the same bytes.
    Resize(1300, 700);
    ASSERT_EQ(mixer->GetFlatPictureTarget(), target);
    ASSERT_TRUE(mixer->ExportBitmap(dir.Join("wide.bmp").c_str(), &target));
    EXPECT_EQ(dir.Read("wide.bmp"), dir.Read("out.bmp"));
    EXPECT_NE(mixer->GetCanvas().GetWidth(), canvasWidth) << "the canvas follows the window, not the export";

    // A 0 x 0 target cannot be made: the canvas as it is gets written, the factors stay exactly.
    const double wideX = GetScaleX(), wideY = GetScaleY();
    const RECT none{0, 0, 0, 0};
    ASSERT_TRUE(mixer->ExportBitmap(dir.Join("small.bmp").c_str(), &none));
    ASSERT_TRUE(written.Load(dir.Join("small.bmp")));
    EXPECT_EQ(written.GetWidth(), mixer->GetCanvas().GetWidth());
    EXPECT_EQ(GetScaleX(), wideX);
    EXPECT_EQ(GetScaleY(), wideY);
    EXPECT_NE(sx, wideX);

    // A file that cannot be written is reported as such, for the caller to tell the user once.
    int asked = 0;
    SetModalResponder([&](const ModalQuestion&) {
        ++asked;
        return ModalAnswer{};
    });
    EXPECT_FALSE(mixer->ExportBitmap(dir.Join("missing/out.bmp").c_str(), &target));
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(mixer->ExportBitmap(nullptr, &target));
}

TEST_F(PictureOutput, PrintingComposesAtTheTargetSizeAndStretchesToTheDestination) {
    const RECT dest{0, 0, 400, 300};
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap page;
    ASSERT_TRUE(page.CreateCompatibleBitmap(&memory, dest.right, dest.bottom));
    memory.SelectObject(&page);

    // Without layers the target is 0 x 0: nothing is drawn and the factors stay exactly as they were.
    const double sx = GetScaleX(), sy = GetScaleY();
    memory.FillSolidRect(dest, RGB(1, 2, 3));
    const RECT none{0, 0, 0, 0};
    EXPECT_TRUE(mixer->RenderToDC(&memory, &dest, &none));
    EXPECT_EQ(memory.GetPixel(10, 10), RGB(1, 2, 3));
    EXPECT_EQ(GetScaleX(), sx);
    EXPECT_EQ(GetScaleY(), sy);

    Place(9, red, 100, 100, {0, 0, 100, 100});
    const RECT target{0, 0, 1138, 842};
    ASSERT_TRUE(mixer->RenderToDC(&memory, &dest, &target));
    // The slot covers 100 of 569 design units across: 70 of 400 page pixels.
    EXPECT_EQ(memory.GetPixel(69, 60), red);
    EXPECT_EQ(memory.GetPixel(72, 60), MIXER_BACKGROUND);
    EXPECT_FALSE(mixer->RenderToDC(nullptr, &dest, &target));
}
