#pragma once
// Lays out a row or a column of controls inside its own rectangle: equal cells with fixed pixel gaps,
// worked out anew on every rescale. The controls stay the manager's; the strip only places them. An empty
// entry takes no room but counts when the cell size is worked out.

#include "controls/WndControl.h"
#include <cstdint>
#include <vector>

// A strip with this bit lays its cells out top to bottom (the owner-drawn bit of buttons).
constexpr std::uint32_t CTL_VERTICAL = CTL_OWNER_DRAWN;

class CControlStrip : public CWndControl {
public:
    // flags: CTL_VERTICAL lays the cells out top to bottom, else left to right. m and g are pixels: in a row
    // m is the gap before, between and after the cells and g the inset at top and bottom; in a column g
    // is the gap and m the inset at left and right.
    CControlStrip(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                  std::uint32_t flags, int m, int g);
    ~CControlStrip() override;

    // Appends control and lays it out from the next rescale on. False for none, or when the array cannot
    // grow.
    virtual bool AddControl(CControl* control);
    // Forgets every entry; the controls themselves stay as they are.
    virtual void RemoveAllControls();

    // Places the strip, then every control in a cell of its own.
    void Rescale() override;
    // Shows the part of the view's background the strip lies on: the strip has no background of its own.
    BOOL OnEraseBkgnd(CDC* dc) override;

    // The first entry with id, and its position when asked for; null when there is none.
    CControl* FindControl(int id, int* index = nullptr) const;
    // Whether control is an entry, and its position when asked for.
    bool IndexOf(const CControl* control, int* index = nullptr) const;
    int GetCount() const { return int(m_controls.size()); }
    // The entry at index, or null (an empty entry or no such position).
    CControl* GetControl(int index) const;

protected:
    int m_m;                           // pixels left and right of the cells, and between cells side by side
    int m_g;                           // pixels above and below the cells, and between cells one over another
    std::vector<CControl*> m_controls; // layout order; not owned; entries may be empty
};
