#pragma once
// What the control tests share: pictures in four coloured bands, a view window that is its own control
// manager, controls that record what they hear, and reading back what a window's surface shows.

#include "controls/ControlView.h"
#include "controls/WndControl.h"
#include "platform/Wnd.h"

#include <memory>
#include <string>
#include <vector>

class CDIB;
class QWidget;

// The colour of each band of a test state picture; band 0 is the bottom quarter as seen.
constexpr COLORREF kBandColour[4] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200), RGB(220, 220, 40)};

// A 24-bit picture in four equal horizontal bands of kBandColour.
std::unique_ptr<CDIB> MakeBandPicture(int width, int height);
// The same written to a BMP file; returns its path.
std::string WriteBandPicture(const std::string& path, int width, int height);

// A top-level window that is also the control manager, wired as the editor view is. Every command it
// hears is recorded.
class CTestView : public CControlView<CWnd> {
public:
    CTestView(int width, int height);
    bool OnControlEvent(int id, WPARAM param) override;

    std::vector<int> m_commands;
};

// A plain-window control that fills itself with one colour, so that where it sits can be seen.
class CSolidControl : public CWndControl {
public:
    CSolidControl(CControlManager* manager, CWnd* parent, int id, const RECT& design, COLORREF colour,
                  std::uint32_t flags = 0)
        : CWndControl(manager, parent, id, design), m_colour(colour) {
        m_flags |= flags;
    }
    void Draw(const RECT* area) override;
    COLORREF m_colour;
    int m_draws = 0;
};

// Lets pending paint and input events run.
void Settle();
QWidget* WidgetOf(CWnd* wnd);
// The pixel at x, y of the window's own surface.
COLORREF PixelOf(CWnd* wnd, int x, int y);
// The pixel at the centre of the window's surface.
COLORREF CentreOf(CWnd* wnd);
// Where the window's widget lies in its parent.
RECT GeometryOf(CWnd* wnd);
// How many controls of the manager carry the hot bit.
int CountHot(const CControlManager& manager);
