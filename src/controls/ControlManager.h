#pragma once
// Owns every control of the view: lays them out by scaling design units to the view's size, paints the
// view's background, tracks the hot control, holds the shared pictures, the screen palette and the
// message table, and passes the controls' events to its own handlers and then to the listeners.
// The view derives from it (after the platform view) and overrides the handlers.

#include "controls/MessageTable.h"
#include "imaging/DIBRef.h"
#include "platform/Palette.h"
#include "platform/WinTypes.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CControl;
class CControlEvent;
class CDC;
class CDIB;
class CDIBManager;
class CWnd;
struct MINMAXINFO;

// Bits of the manager's flags word.
enum : std::uint32_t {
    CMF_BACKGROUND_PICTURE = 0x01,
    CMF_BACKGROUND_COLOUR = 0x02,
    CMF_PALETTE = 0x04,
    CMF_REFERENCE_SIZE = 0x08,
    CMF_MIN_TRACK_SIZE = 0x20,
};

// The design screen when there is no background picture.
constexpr int DESIGN_WIDTH = 788;
constexpr int DESIGN_HEIGHT = 550;

class CControlManager {
public:
    // window: the view the controls live on; messageGroup: the language group of the message table's
    // look-ups (0 matches every group).
    explicit CControlManager(CWnd* window, int messageGroup = 0);
    CControlManager(const CControlManager&) = delete;
    CControlManager& operator=(const CControlManager&) = delete;

    // Empties the listeners, deletes every control, and forgets the hot control, the background, the
    // window and the flags.
    virtual void RemoveAll();
    virtual ~CControlManager();

    // The manager's own handlers: they hear every event before the listeners do. All do nothing here.
    virtual bool OnControlEvent(int id, WPARAM param);
    virtual bool OnControlIntA(int id, int value);
    virtual bool OnControlIntB(int id, int value);
    virtual bool OnControlValue(int id, double value);
    virtual bool OnControlData(int id, int p1, int p2, int p3, int p4);
    virtual bool OnControlCustom(int id, int p1, int p2, int p3, int p4);

    // Takes ownership and sets the control's manager link. False for null or when the array cannot grow.
    bool AddControl(CControl* control);
    // Listeners hear every event after the manager, in registration order; not owned, twice is twice.
    bool AddListener(CControl* control);
    CControl* FindControl(int id) const;
    // The control of id when it is a Control, else null.
    template <class Control> Control* FindControlAs(int id) const {
        return dynamic_cast<Control*>(FindControl(id));
    }
    CControl* FindControlByWindow(const CWnd* window) const;
    int GetControlCount() const { return int(m_controls.size()); }
    CControl* GetControl(int index) const;

    // Gives the hot bit to control alone (null: to none), redrawing whoever changes.
    void SetHotControl(CControl* control);
    void ClearHotControl() { SetHotControl(nullptr); }
    CControl* GetHotControl() const { return m_hotControl; }

    // Rescales every control to a view of width × height; ignored before the first PaintBackground and
    // for the size it already has (0 × 0 at first, so a minimised view changes nothing).
    void Resize(int width, int height);
    double GetScaleX() const { return m_scaleX; }
    double GetScaleY() const { return m_scaleY; }
    SIZE GetReferenceSize() const { return m_referenceSize; }

    // Paints the view's background (the erase handler calls it): the plain colour, or the picture
    // stretched to the client area. False when nothing was painted. The first call fixes the design size.
    bool PaintBackground(CDC* dc);
    // A picture from path (null: the plain colour). False when the picture cannot be loaded.
    bool SetBackground(const char* path);
    CDIB* GetBackground() const { return m_background.get(); }
    COLORREF GetBackgroundColour() const { return m_backgroundColour; }
    // The screen palette from the colour table of image (null: no palette).
    bool SetPalette(CDIB* image);
    // The screen palette, or null when none is set. Every drawing call passes it on.
    CPalette* GetPalette();
    // Sets DISPLAY_PALETTE on a palette screen, clears it on a true-colour one.
    void CheckDisplay();

    void SetMinTrackSize(int width, int height);
    void GetMinMaxInfo(MINMAXINFO* info) const;

    // The shared picture of path, mapped to the palette when asked and one is set.
    CDIBRef GetDIB(const char* path, bool mapToPalette);
    CDIBManager& GetDIBManager() { return *m_bitmaps; }

    // A message box with text and style; 0 without text, else the button pressed. Takes what
    // GetMessageTable().FindMessage gives.
    int ShowMessage(const std::string* text, UINT style);
    CMessageTable& GetMessageTable() { return m_messages; }

    // Sends event to the manager's handler, then to every listener. False only for a null event.
    bool Dispatch(const CControlEvent* event);

    bool IsDrawingEnabled() const { return m_drawingEnabled; }
    void SetDrawingEnabled(bool enabled) { m_drawingEnabled = enabled; }
    CWnd* GetWindow() const { return m_window; }
    std::uint32_t GetFlags() const { return m_flags; }

private:
    CWnd* m_window;
    std::vector<CControl*> m_controls;
    std::unique_ptr<CDIBManager> m_bitmaps;
    CMessageTable m_messages;
    CControl* m_hotControl = nullptr;
    CDIBRef m_background; // after the store it comes from
    COLORREF m_backgroundColour = RGB(151, 151, 151);
    std::uint32_t m_flags = 0;
    CPalette m_palette;
    SIZE m_referenceSize;
    SIZE m_lastSize;
    SIZE m_minTrackSize;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    std::vector<CControl*> m_listeners;
    bool m_drawingEnabled = true;
};
