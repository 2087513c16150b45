#pragma once
// A control that is a plain child window (the picture area, the control strips). It remembers the last
// mouse position.

#include "controls/Control.h"
#include "platform/Wnd.h"

class CWndControl : public CWnd, public CControl {
public:
    // Creates the window at the control's rectangle in parentWnd; on failure the control stays, windowless.
    CWndControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect);
    ~CWndControl() override;

    virtual void OnLeftButtonDown(UINT keyFlags, int x, int y);
    virtual void OnLeftButtonUp(UINT keyFlags, int x, int y);

    // Draws nothing: a plain control has no face of its own.
    void Draw(const RECT* area) override;

    void OnPaint() override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    // The last mouse position, in the control's own pixels.
    POINT GetMousePosition() const { return m_currentMouse; }

private:
    void TrackMouse(POINT point);

    POINT m_currentMouse;
};
