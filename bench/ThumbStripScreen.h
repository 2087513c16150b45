#pragma once
// The editor's thumb strip with its four cells on a view of the design size, made and joined as the editor
// makes them. Made after the application and gone before it: windows cannot outlive it.

#include "controls/ControlManager.h"
#include "controls/HoldControl.h"
#include "controls/ThumbStrip.h"
#include "platform/Wnd.h"

namespace bench {

struct ThumbStripScreen : CWnd, CControlManager {
    ThumbStripScreen() : CControlManager(this) {
        Create("", WS_VISIBLE, {0, 0, DESIGN_WIDTH, DESIGN_HEIGHT}, nullptr, 0);
        strip = new CThumbStrip(this, this, 100024, {160, 470, 496, 528}, 0, nullptr, nullptr, 2, 3);
        for (int i = 0; i < 4; ++i) {
            cells[i] = new CHoldControl(this, this, 100017 + i, {}, nullptr, CTL_KEEP_ASPECT, 0, 2, 2);
            AddControl(cells[i]);
            strip->AddControl(cells[i]);
        }
        AddControl(strip);
        SetBackground(nullptr);
        PaintBackground(nullptr);
    }

    CHoldControl* cells[4];
    CThumbStrip* strip;
};

} // namespace bench
