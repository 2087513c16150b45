#pragma once
// A window that is the control manager of the controls on it, wired as the editor's view needs: the erase
// message paints the background, a size change rescales every control with drawing held off until the
// repaint it asks for, and the pointer over the window itself (over no control) clears the hot control.

#include "controls/ControlManager.h"
#include "platform/Geometry.h"

class CDC;

template <class Window> class CControlView : public Window, public CControlManager {
public:
    // messageGroup: the language group of the message table's look-ups (0 matches every group).
    explicit CControlView(int messageGroup = 0) : CControlManager(this, messageGroup) {}

    BOOL OnEraseBkgnd(CDC* dc) override { return PaintBackground(dc) ? TRUE : Window::OnEraseBkgnd(dc); }
    void OnSize(UINT type, int width, int height) override {
        SetDrawingEnabled(false);
        Window::OnSize(type, width, height);
        Resize(width, height);
        SetDrawingEnabled(true);
        this->Invalidate(TRUE);
    }
    void OnMouseMove(UINT flags, POINT point) override {
        ClearHotControl();
        Window::OnMouseMove(flags, point);
    }
};
