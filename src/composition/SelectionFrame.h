#pragma once
// The frame around the selected layer, in canvas pixels: its outline and eight square handles, each
// centred on the edge or corner it moves, wherever that edge lies (on a mirrored axis too). The handles
// are 9 pixels at the design size and grow with the window.

#include "composition/SlotPlacement.h"
#include "platform/Cursor.h"
#include "platform/WinTypes.h"

class CSelectionFrame {
public:
    static constexpr int handleCount = 8;
    static constexpr int designHandleSize = 9;

    // The frame of a slot placed so (design units) at the scale sx, sy.
    CSelectionFrame(const SlotPlacement& place, double sx, double sy);

    // The outline: the pixels the layer covers, normalised, right and bottom excluded.
    const RECT& GetOutline() const { return m_outline; }
    // Handle i (0..7: the middles of the left, top, right and bottom edges, then the top-left, top-right,
    // bottom-right and bottom-left corners of the unmirrored layer), right and bottom excluded.
    const RECT& GetHandle(int i) const { return m_handles[i]; }
    int GetHandleSize() const { return m_handleSize; }
    // How thick each of the outline's two lines is.
    int GetLineWidth() const { return m_lineWidth; }
    // The handle a press at p takes, a little around its square too (where they overlap, the lower
    // index), or -1.
    int HandleAt(POINT p) const;
    // The pointer over handle i: the way it stretches the layer.
    StandardCursor CursorOf(int handle) const;

private:
    RECT m_outline;
    RECT m_handles[handleCount];
    int m_handleSize;
    int m_lineWidth;
};
