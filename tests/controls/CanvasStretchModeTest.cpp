#include "platform/Screen.h"
#include "support/MixerView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// Every canvas the picture area makes, not only the first, draws in halftone on a palette display and
// colour-on-colour elsewhere: the mode does not survive the canvas it was set on.
TEST(CanvasStretchMode, EveryNewCanvasTakesTheModeOfTheDisplay) {
    TempDir dir;
    for (const bool paletteDisplay : {false, true}) {
        if (paletteDisplay)
            SetDisplayFlag(DISPLAY_PALETTE);
        const int mode = paletteDisplay ? HALFTONE : COLORONCOLOR;
        MixerView view;
        const CDIB& canvas = view.mixer->GetCanvas();
        EXPECT_EQ(canvas.GetStretchMode(), mode) << "first canvas";
        view.Resize(1576, 1100);
        EXPECT_EQ(canvas.GetStretchMode(), mode) << "second canvas";
        view.Resize(788, 550);
        EXPECT_EQ(canvas.GetStretchMode(), mode) << "third canvas";

        // Printing draws a canvas made at the target's size, then makes the window's canvas again.
        CDC memory;
        EXPECT_TRUE(memory.CreateCompatibleDC(nullptr));
        CBitmap page;
        EXPECT_TRUE(page.CreateCompatibleBitmap(&memory, 200, 150));
        memory.SelectObject(&page);
        memory.SetStretchBltMode(BLACKONWHITE);
        const RECT dest{0, 0, 200, 150}, target{0, 0, 300, 200};
        EXPECT_TRUE(view.mixer->RenderToDC(&memory, &dest, &target));
        EXPECT_EQ(memory.GetStretchBltMode(), mode) << "the printed canvas";
        EXPECT_EQ(canvas.GetWidth(), 569);
        EXPECT_EQ(canvas.GetStretchMode(), mode) << "after printing";

        EXPECT_TRUE(view.mixer->ExportBitmap(dir.Join("flat.bmp").c_str(), &target));
        EXPECT_EQ(canvas.GetWidth(), 569);
        EXPECT_EQ(canvas.GetStretchMode(), mode) << "after export";
        ClearDisplayFlag(DISPLAY_PALETTE);
    }
}
