#pragma once
// The common base of every control of the editor screen: a rectangle of the view, laid out from design
// units, with an id, a word of state bits and a window of its own. A plain mix-in beside a platform
// window class; the window is the control object itself.

#include "platform/Wnd.h"
#include <cstdint>

class CBrush;
class CControlManager;
class CDC;

// State bits. Those below 0x10000 mean the same for every control; the higher ones belong to the class
// (the names are those of the button family; strips and the compositor reuse some of them).
enum : std::uint32_t {
    CTL_DISABLED = 0x00000001,
    CTL_ENABLED = 0x00000002,
    CTL_HOT = 0x00000004,
    CTL_PRESSED = 0x00000008,
    CTL_NEVER_HOT = 0x00000040,
    CTL_KEEP_ASPECT = 0x00000100,
    CTL_LAYS_OUT_CHILDREN = 0x00000400,
    CTL_OWNER_DRAWN = 0x00010000,
    CTL_SHOW_DISABLED = 0x00020000,
    CTL_SHOW_HOT = 0x00080000,
    CTL_SHOW_PRESSED = 0x00100000,
    CTL_TOGGLE = 0x00200000,
    CTL_ON = 0x00400000,
    CTL_HAS_OVERLAY = 0x02000000,
    CTL_SHOW_OVERLAY = 0x04000000,
    CTL_SELECTED = 0x08000000,
};

// Window styles the controls create their windows with.
constexpr DWORD CONTROL_STYLE_BUTTON = WS_CHILD | WS_VISIBLE | WS_TABSTOP; // 0x50010000
constexpr DWORD CONTROL_STYLE_PLAIN = WS_CHILD | WS_VISIBLE;               // 0x50000000

class CControl {
public:
    CControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect, DWORD style);
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    virtual ~CControl();
    virtual bool OnPaletteRealized();
    // Enables or disables the control's window; false when it has none.
    virtual bool Enable(bool enable);
    // Hands an event to the manager; false without a manager.
    virtual bool SendEvent(int id, int kind, int p1, int p2, int p3, int p4);
    // Places the control after a change of scale, unless a strip lays it out.
    virtual void Rescale();
    // Makes the control the hot one (unless it is hot already or never hot).
    virtual void OnMouseOver(UINT keyFlags, int x, int y);
    virtual CBrush* OnCtlColor(CDC* dc, CWnd* wnd, int type);
    // Draws the control; null means its own rectangle, otherwise only the size of area counts.
    virtual void Draw(const RECT* area) = 0;

    // What a listener hears (all ignored by default, returning false). The parameter of a command is wide
    // enough for a pointer: the document hands the save path through it. The dispatch does not read the
    // results; direct callers may.
    virtual bool OnControlEvent(int id, WPARAM param);
    virtual bool OnControlIntA(int id, int value);
    virtual bool OnControlIntB(int id, int value);
    virtual bool OnControlValue(int id, double value);
    virtual bool OnControlData(int id, int p1, int p2, int p3, int p4);
    virtual bool OnControlCustom(int id, int p1, int p2, int p3, int p4);

    int GetId() const { return m_id; }
    // The control's window while it exists, else null.
    CWnd* GetWindow() const;
    CControlManager* GetManager() const { return m_manager; }
    CWnd* GetParentWnd() const { return m_parentWnd; }
    // The current rectangle, in client pixels of the parent window.
    const RECT& GetRect() const { return m_rect; }
    const RECT& GetDesignRect() const { return m_designRect; }
    DWORD GetStyle() const { return m_style; }
    std::uint32_t GetFlags() const { return m_flags; }
    // The strip that lays this control out, or null.
    CControl* GetParentControl() const { return m_parentControl; }
    void SetParentControl(CControl* strip) { m_parentControl = strip; }
    // Puts the control at rect (client pixels of the parent window), then lets it lay out what it holds.
    void MoveTo(const RECT& rect);
    // Shows the control hot or not; only the manager's one hot control is.
    void SetHot(bool hot);
    // Shows the control selected or not.
    void SetSelected(bool selected);
    // True when the control has a manager whose drawing is enabled.
    bool IsDrawingEnabled() const;
    // Fits dest to the aspect ratio of source, centred; the fitted axis starts at 0. A source without
    // width or height, or a destination without height, leaves dest as it is.
    static void FitAspect(const RECT& source, RECT& dest);
    // value truncated toward zero, held within the range of LONG.
    static LONG Truncate(double value) { return TruncateToLong(value); }

protected:
    // Turns the bits of mask on or off; true when that changed anything.
    bool SetFlags(std::uint32_t mask, bool on);

    CControlManager* m_manager = nullptr; // set by the manager's AddControl; not owning
    CWnd* m_parentWnd = nullptr;          // the window this control's window lives in
    CWnd* m_wnd = nullptr;                // the control's own window (the object itself), once created
    std::int32_t m_id = 0;
    RECT m_rect;       // current rectangle, client pixels of the parent window
    RECT m_designRect; // the rectangle in design units
    DWORD m_style = 0;
    CControl* m_parentControl = nullptr; // the strip that lays this control out, or null
    std::uint32_t m_flags = 0;

private:
    friend class CControlManager; // links a control it takes to itself
};
