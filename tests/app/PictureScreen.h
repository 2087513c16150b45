#pragma once
// The program started in the folder above the data folder of the build, with its whole editor screen,
// and a picture put together on its layers as the editor's commands would.

#include "app/ControlIds.h"
#include "composition/ContentKey.h"
#include "controls/DIBMixer.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "support/EditorFixture.h"
#include "support/Pictures.h"
#include "support/TempDir.h"

#include <QImage>
#include <memory>
#include <string>

class PictureScreen : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        mixer = view->GetPictureArea();
        strip = Find<CLayerStrip>(IDC_LAYER_STRIP);
        ASSERT_TRUE(mixer && strip);
    }

    // Layer k (0 = the top one) takes picture under a new key, placed at x, y, and the picture area
    // shows it.
    void Put(int k, std::unique_ptr<CDIB> picture, int x, int y) {
        CLayerControl* layer = strip->GetLayer(k);
        ASSERT_TRUE(layer && layer->PutContent(std::move(picture), NewContentKey(), {}));
        strip->Refresh(0, TRUE);
        CDIBSlot* slot = mixer->FindDibSlot(layer->GetContentKey());
        ASSERT_NE(slot, nullptr);
        slot->m_x = x, slot->m_y = y;
        slot->m_changed = 1;
        slot->m_changedArea = {0, 0, 600, 450};
        mixer->Recompose(TRUE);
    }
    // A picture of two layers: a 300 x 200 red one with a soft-edged alpha companion behind a 120 x 260
    // blue one with a white (see-through) hole.
    void PutTwoLayers() {
        auto back = SolidPicture(300, 200, RGB(200, 30, 20));
        auto alpha = SolidAlpha(300, 200, 255);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 60; ++x)
                alpha->GetBits()[std::size_t(y) * alpha->GetStride() + x] = BYTE(4 * x);
        back->SetAlpha(std::move(alpha));
        Put(1, std::move(back), 40, 30);
        auto front = SolidPicture(120, 260, RGB(20, 40, 210));
        const RECT hole{30, 40, 90, 120};
        front->Fill(0xFFFFFF, &hole);
        Put(0, std::move(front), 200, 90);
    }

    // Whether the PNG file png decodes to the pixels of the BMP file bmp, pixel for pixel.
    static ::testing::AssertionResult PngMatchesBmp(const std::string& png, const std::string& bmp) {
        const QImage decoded(QString::fromStdString(png), "PNG");
        CDIB flat;
        if (decoded.isNull() || !flat.Load(bmp))
            return ::testing::AssertionFailure() << "cannot read " << png << " or " << bmp;
        if (decoded.width() != flat.GetWidth() || decoded.height() != flat.GetHeight())
            return ::testing::AssertionFailure()
                   << "sizes differ: " << decoded.width() << " x " << decoded.height() << " against "
                   << flat.GetWidth() << " x " << flat.GetHeight();
        for (int y = 0; y < decoded.height(); ++y)
            for (int x = 0; x < decoded.width(); ++x) {
                const QRgb p = decoded.pixel(x, y);
                if (RGB(qRed(p), qGreen(p), qBlue(p)) != PixelAt(flat, x, y))
                    return ::testing::AssertionFailure() << "pixel " << x << ", " << y << " differs";
            }
        return ::testing::AssertionSuccess();
    }

    std::string Canvas() const {
        const CDIB& canvas = mixer->GetCanvas();
        return std::string(reinterpret_cast<const char*>(canvas.GetBlock()), canvas.GetSize());
    }
    const std::string& Message(int key) { return *view->GetMessageTable().FindMessage(key); }
    // The message of key as it names the file called name.
    std::string Message(int key, const std::string& name) {
        std::string text = Message(key);
        return text.replace(text.find("%1"), 2, name);
    }

    CDIBMixer* mixer = nullptr;
    CLayerStrip* strip = nullptr;
    TempDir dir;
};
