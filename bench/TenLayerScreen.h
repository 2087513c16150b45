#pragma once
// The editor screen's picture area, mode buttons and layer strip, sized so that the picture area is
// 1920 x 1080 pixels (the editor window at 2659 x 1411), holding ten soft-edged layers of 1024 x 768
// pixels arranged over the picture. Made after the application and gone before it: windows cannot outlive
// it.

#include "composition/ContentKey.h"
#include "composition/PickSlotAt.h"
#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/DIBMixer.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "support/ShownPictureFile.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace bench {
constexpr int moveId = 100008, interactiveId = 100010;
constexpr int imageWidth = 1024, imageHeight = 768;

// Design places (x, y, width, height) of the layers, back-most first; a negative width mirrors.
const RECT places[] = {
    {0, 0, 569, 421},     {20, 30, 260, 200},   {300, 10, -220, 240},  {150, 120, 300, 250},
    {-40, 200, 240, 260}, {380, 180, 230, 280}, {100, -30, -200, 180}, {240, 260, 280, 190},
    {60, 90, 180, 180},   {420, 40, -170, 230},
};
constexpr int middleLayer = 3, backLayer = 0;

// A picture of soft colours whose coverage is opaque inside an ellipse with a ramp of 12 pixels at its
// edge; the back-most layer is opaque everywhere.
inline std::unique_ptr<CDIB> MakeLayerPicture(int seed, bool opaque) {
    auto picture = std::make_unique<CDIB>();
    picture->Create(imageWidth, imageHeight, 24);
    auto alpha = std::make_unique<CDIB>();
    alpha->Create(imageWidth, imageHeight, 8);
    const double rx = imageWidth / 2.0, ry = imageHeight / 2.0;
    for (int y = 0; y < imageHeight; ++y) {
        BYTE* row = picture->GetBits() + std::size_t(y) * picture->GetStride();
        BYTE* a = alpha->GetBits() + std::size_t(y) * alpha->GetStride();
        for (int x = 0; x < imageWidth; ++x) {
            row[3 * x] = BYTE(seed * 40 + x);
            row[3 * x + 1] = BYTE(seed * 70 + y);
            row[3 * x + 2] = BYTE(seed * 20 + x * y / 64);
            const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
            const double inside = (1.0 - std::sqrt(dx * dx + dy * dy)) * std::min(rx, ry) / 12.0;
            a[x] = opaque ? 255 : BYTE(std::clamp(inside, 0.0, 1.0) * 255.0);
        }
    }
    picture->SetAlpha(std::move(alpha));
    return picture;
}

struct TenLayerScreen : CWnd, CControlManager {
    TenLayerScreen() : CControlManager(this) {
        const std::string toggle = QDir::tempPath().toStdString() + "/quimble-bench-toggle.bmp";
        CDIB togglePicture;
        togglePicture.Create(25, 108, 24);
        togglePicture.Save(toggle);
        Create("", WS_VISIBLE, {0, 0, 2659, 1411}, nullptr, 0);
        mixer = new CDIBMixer(this, this, 100046, {2, 23, 571, 444}, 0);
        AddControl(mixer);
        CButtonControl* modes[4];
        for (int i = 0; i < 4; ++i) {
            modes[i] = new CButtonControl(this, this, moveId + i, {580 + 50 * i, 98, 628 + 50 * i, 158},
                                          nullptr, CTL_TOGGLE, 0);
            AddControl(modes[i]);
        }
        mixer->SetButtons(modes[0], modes[1], modes[2], modes[3]);
        strip = new CLayerStrip(this, this, 100045, {599, 230, 781, 540}, 0x10400, 4, 3);
        AddControl(strip);
        for (int i = 0; i < 10; ++i) {
            layers[i] = new CLayerControl(this, this, 100025 + 2 * i, {603, 233, 777, 260}, nullptr, 0,
                                          toggle.c_str(), 100026 + 2 * i, 2, 2);
            AddControl(layers[i]);
            strip->AddControl(layers[i]);
        }
        strip->SetCompositor(mixer);
        SetBackground(nullptr);
        PaintBackground(nullptr);
        // The strip's position 0 is the front-most layer: the back-most place goes to the last layer.
        for (int i = 0; i < 10; ++i) {
            CLayerControl* layer = Layer(i);
            layer->PutContent(MakeLayerPicture(i, i == backLayer), NewContentKey(), {});
        }
        strip->Refresh(0, TRUE);
        for (int i = 0; i < 10; ++i) {
            CDIBSlot* slot = mixer->FindDibSlot(Layer(i)->GetContentKey());
            slot->m_x = places[i].left, slot->m_y = places[i].top;
            slot->m_width = places[i].right, slot->m_height = places[i].bottom;
            slot->SetMirrorHorizontal(slot->m_width < 0);
            slot->m_changed = 1;
        }
        mixer->Recompose(TRUE);
        modes[interactiveId - moveId]->Clicked();
        move = modes[0];
    }
    CLayerControl* Layer(int place) const { return layers[9 - place]; }
    // Selects the layer at place, as the user does: the layer in the strip, then the move button.
    void Select(int place) {
        strip->Select(Layer(place));
        if (!(move->GetFlags() & CTL_ON))
            move->Clicked();
    }

    // The point of the picture area nearest to 900, 500 where a press takes the layer at place: with Move
    // on, a press takes the front-most layer shown under the pointer, or the selected one inside its frame.
    POINT PressPoint(int place) const {
        const CDIBSlot* slot = mixer->FindDibSlot(Layer(place)->GetContentKey());
        const int w = mixer->GetCanvas().GetWidth(), h = mixer->GetCanvas().GetHeight();
        POINT best{900, 500};
        long nearest = -1;
        for (int y = 0; y < h; y += 4)
            for (int x = 0; x < w; x += 4)
                if (const long d = long(x - 900) * (x - 900) + long(y - 500) * (y - 500);
                    (nearest < 0 || d < nearest) && PickSlotAt(mixer->GetSlots(), {x, y}, GetScaleX(),
                                                               GetScaleY(), slot, MIXER_KEY_COLOUR) == slot)
                    best = {x, y}, nearest = d;
        return best;
    }

    CDIBMixer* mixer = nullptr;
    CLayerStrip* strip = nullptr;
    CLayerControl* layers[10] = {};
    CButtonControl* move = nullptr;
};

} // namespace bench
