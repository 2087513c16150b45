#pragma once
// A view that is its own control manager, with the picture area where the editor screen has it and its
// help button. The design screen is 788 x 550, so a view of that size has the scale 1.

#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/DIBMixer.h"
#include "platform/DC.h"

struct MixerView : CWnd, CControlManager {
    explicit MixerView(int width = 788, int height = 550) : CControlManager(this) {
        Create("", WS_VISIBLE, {0, 0, width, height}, nullptr, 0);
        mixer = new CDIBMixer(this, this, 100046, {2, 23, 571, 444}, 0);
        AddControl(mixer);
        help = new CButtonControl(this, this, 100011, {600, 10, 640, 35}, nullptr, CTL_TOGGLE, 0);
        AddControl(help);
        mixer->SetButtons(nullptr, nullptr, nullptr, help);
        SetBackground(nullptr);
        PaintBackground(nullptr); // fixes the design size and lays everything out
    }

    // What the picture area's window shows at x, y.
    COLORREF Shown(int x, int y) {
        CDC* dc = mixer->GetDC();
        const COLORREF colour = dc->GetPixel(x, y);
        mixer->ReleaseDC(dc);
        return colour;
    }

    CDIBMixer* mixer = nullptr;
    CButtonControl* help = nullptr;
};
