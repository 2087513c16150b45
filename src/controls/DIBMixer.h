#pragma once
// The picture area of the editor screen: a control with a window of its own that holds one slot per
// layer with content, composes them back to front into a 24-bit canvas the size of its window, and
// paints it. It follows the layer strip: each layer with content has a slot, found by its content key,
// that keeps its place while the content moves between layers. The same composition, at a size that
// depends on the layers alone (never on the window's), serves printing and the flat exports (BMP and
// PNG). It also shows the help pages over the picture.

#include "composition/BlendTable.h"
#include "composition/CanvasComposer.h"
#include "composition/DIBSlot.h"
#include "composition/PictureComposer.h"
#include "composition/PictureObserver.h"
#include "composition/PictureState.h"
#include "composition/SelectionFrame.h"
#include "composition/SlotDrag.h"
#include "controls/LayerCompositor.h"
#include "controls/WndControl.h"
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CButtonControl;
class CPicture;
class CLayerControl;
class CLayerStrip;
struct LOGFONT;

// Bits of the compositor's flag word.
enum : std::uint32_t {
    CMX_CANVAS_READY = 0x10000,
    CMX_SLOT_SELECTED = 0x20000, // read by the layer strip
};

class CDIBMixer : public CWndControl, public CLayerCompositor {
public:
    // Registers with the manager as a listener, so that every control's events reach OnControlEvent.
    CDIBMixer(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect, std::uint32_t flags);
    ~CDIBMixer() override;

    // Follows the new scale: a blank canvas of the window's pixel size, composed whole and painted.
    void Rescale() override;
    // Paints the canvas 1:1 (area is not used), then the selection frame and the off-canvas arrow.
    void Draw(const RECT* area) override;
    bool OnControlEvent(int id, WPARAM param) override;
    virtual void DrawSelectionFrame(CDC* dc);
    virtual void DrawOffCanvasArrow(CDC* dc);

    // Takes the slot and appends it behind the others. False (and the slot is dropped) for none or when
    // the array cannot grow.
    BOOL AddDibSlot(std::unique_ptr<CDIBSlot> slot);
    // The front-most slot with key (none for key 0), and its index when asked for.
    CDIBSlot* FindDibSlot(std::uint32_t key, int* index = nullptr) const;
    // Selects slot (none: switches the move and text buttons off), then recomposes.
    void SelectDibSlot(CDIBSlot* slot);
    // rect (design units, or none for the whole canvas) is normalised and scaled to canvas pixels in
    // place. Does nothing before the canvas is ready.
    void ComposeCanvas(RECT* rect, BOOL blend, COLORREF key, COLORREF background);
    // Composes what the layer strip changed, and paints.
    void Recompose(BOOL blend) override;
    // Brings the slots in line with the layer strip: one per layer with content, in the strip's order,
    // new content at 0, 0, content gone without its slot. Grows rect (design units) by every area whose
    // look may have changed, and tells the observer when there was any. 0 without a strip.
    BOOL UpdateFromLayerStrip(RECT* rect);

    // The picture as a value, and the picture made that value again (composed, painted, unheard by the
    // observer).
    CPictureState CaptureState() const;
    void RestoreState(const CPictureState& state);
    // The picture shown, apart from the screen: what exports and printing are made of.
    CPicture Picture() const;
    // Shows the picture state holds, told by whoever keeps the picture (unheard by the observer but for
    // the change itself). replaced: it replaces the whole picture (a file read, a new picture), and all of
    // it is composed anew, no layer selected; else only what changed is.
    void ShowPicture(const CPictureState& state, bool replaced);
    // Who hears of every change and every composed change from now on (none: nobody); not owned.
    void SetObserver(CPictureObserver* observer) { m_observer = observer; }

    // What the layer strip asks of the picture area.
    void SetLayerStrip(CLayerStrip* strip) override { m_layerStrip = strip; }
    bool FindSlotPlacement(std::uint32_t key, SlotPlacement* placement) const override;
    bool HasSelectedSlot() const override { return m_flags & CMX_SLOT_SELECTED; }
    bool SelectSlotOfKey(std::uint32_t key) override;
    void ClearSlotSelection() override { SelectDibSlot(nullptr); }
    CButtonControl* GetMoveButton() const override { return m_moveButton; }
    // Draws the picture onto dc (printing): composed at target's size when one is given, stretched to
    // dest (the window's size when none). 0 without dc, window, manager or canvas.
    BOOL RenderToDC(CDC* dc, const RECT* dest, const RECT* target);
    // Writes the picture, composed at target's size when one is given, as a BMP file (or in format), and
    // the size it was written at to written when asked. Returns whether the file was written; the caller
    // tells the user when it was not.
    BOOL ExportBitmap(const char* path, const RECT* target, CDIB::FileFormat format = CDIB::bmpFile,
                      SIZE* written = nullptr);
    // Raises width and height to the largest slot picture's.
    void GetLargestSlotSize(int* width, int* height) const;
    // What the flat exports and printing compose at: 0, 0 to the flat picture's size (FlatPictureSize.h),
    // which depends on the layers alone.
    RECT GetFlatPictureTarget() const;
    // Whether path names a flat picture by its extension, ".bmp" or ".png" exactly so, and which.
    static bool FlatFormatOf(const std::string& path, CDIB::FileFormat* format);

    // How a help page went: not shown (missing), turned by a click on it, or left by Escape or a click
    // beside the picture (the help button among them).
    enum class HelpPage { missing, turned, left };
    // Shows help page n over the picture until a click or Escape.
    HelpPage ShowHelpPage(int n);
    // Where the help pages of the user's language lie: page n is the prefix, n and ".bmp", relative to
    // the working directory. The Dutch pages until the application says otherwise.
    void SetHelpPrefix(std::string prefix) { m_helpPrefix = std::move(prefix); }

    // The text layer (DIBMixerText.cpp). Where Text puts its text, from the selected layer: an empty one
    // takes it (newText); a text layer has it replaced where it lies, at the size it has (changeText);
    // for a layer with a picture it goes into the nearest empty layer in front, onto that picture
    // (onPicture), or nowhere when there is none (noFreeLayer); without a selected layer, nowhere (none).
    enum class TextTargetKind { none, newText, changeText, onPicture, noFreeLayer };
    struct TextTarget {
        TextTargetKind kind = TextTargetKind::none;
        CLayerControl* layer = nullptr;   // the layer that gets the text
        CLayerControl* picture = nullptr; // for onPicture, the layer the text lies on
    };
    TextTarget FindTextTarget() const;
    // Draws text word-wrapped within 800 x 600 pixels (or the largest slot picture, or, onto a picture,
    // that picture's width), centred or left-aligned, in colour (white becomes 0xFEFEFE, or it would not
    // show) with font (none, or a record without a height: the default face at a size that reads well in a
    // balloon) on white, into a picture just the size of the text, and makes it the content of the text
    // target under a new key, remembering the text, font, colour and centring. A new text in an empty
    // layer lies at the top left; one onto a picture is centred on it, fitted inside, lies on it (moves
    // with it) and its layer is selected. 0, and nothing changes, for an empty text, without a manager or
    // a target, or when no picture can be made.
    BOOL SetTextLayer(const std::string& text, const LOGFONT* font, COLORREF colour, int centred);

    // The four mode buttons, linked by the view after creation.
    void SetButtons(CButtonControl* move, CButtonControl* text, CButtonControl* interactiveUpdate,
                    CButtonControl* help);

    // Selection frame and dragging (DIBMixerSelection.cpp). A drag moves the selected slot: from one of
    // the frame's eight handles it moves that edge or corner (past the opposite edge it mirrors the layer),
    // from anywhere else the whole slot, by the pointer's travel since the press. With Move on, the press
    // first takes the front-most layer shown under the pointer (the layer strip follows), or on empty
    // picture leaves no layer selected. Points are window pixels. The pointer shows what a press does.
    void OnLeftButtonDown(UINT keyFlags, int x, int y) override;
    void OnMouseOver(UINT keyFlags, int x, int y) override;
    void OnLeftButtonUp(UINT keyFlags, int x, int y) override;
    // A press on the picture begins a drag of the selected slot and its release ends it: meanwhile the
    // composer keeps what the layers in front of that slot and of the texts lying on it decide.
    void BeginDrag();
    void EndDrag();
    // The picture whose layer content key is put on a layer next covers the picture area (a background).
    void CoverPictureAreaWith(std::uint32_t key) { m_coverKey = key; }
    // With the picture area focused (a click on it focuses it): the arrows move the selected layer by a
    // design unit (ten with Shift), Delete, Page Up and Page Down work as the layer strip's Delete, lay up
    // and lay down buttons, Tab and Shift+Tab select the next and previous layer with content (with its
    // frame), Escape leaves no layer selected.
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    // The handle picked at the last button-down (0..7), or -1.
    int GetHotHandle() const { return m_hotHandle; }
    bool IsFrameShown() const { return m_frameShown; }
    // The frame of the selected slot as it is now, in canvas pixels; none without one.
    std::optional<CSelectionFrame> CurrentFrame() const;

    const CDIB& GetCanvas() const { return m_canvas; }
    const std::vector<std::unique_ptr<CDIBSlot>>& GetSlots() const { return m_slots; }
    CDIBSlot* GetSelectedSlot() const { return m_selectedSlot; }
    bool IsHelpShowing() const { return m_helpShowing; }
    bool IsInteractiveUpdate() const { return m_interactiveUpdate; }
    // The strip this compositor follows; set by the strip's SetCompositor.
    CLayerStrip* GetLayerStrip() const { return m_layerStrip; }

private:
    // While one lives, composing tells the observer nothing: the steps of one change are heard as one.
    class QuietChanges {
    public:
        explicit QuietChanges(CDIBMixer* mixer) : m_mixer(mixer) { ++mixer->m_quiet; }
        ~QuietChanges() { --m_mixer->m_quiet; }
        QuietChanges(const QuietChanges&) = delete;
        QuietChanges& operator=(const QuietChanges&) = delete;

    private:
        CDIBMixer* m_mixer;
    };

    CLayerStrip* m_layerStrip = nullptr;
    CPictureObserver* m_observer = nullptr;
    int m_quiet = 0;
    bool RecreateCanvas(int width, int height);
    void Compose(RECT* rect, bool blend, COLORREF key, COLORREF background, double sx, double sy);
    // The whole picture composed into picture at target's size, the picture area's design size stretched
    // onto it; false when it cannot be made.
    bool ComposeAt(const RECT& target, CDIB* picture) const;
    void ShowHelp();
    static void SwitchOff(CButtonControl* button);
    // The picture made state again, heard by the observer, and composed whole or only where it changed.
    void ShowState(const CPictureState& state, bool whole);
    // No slot is selected any more: the move and text buttons go off, without events.
    void ForgetSelectedSlot();
    // Takes the front-most slot of key out of the slots, leaving its place empty.
    std::unique_ptr<CDIBSlot> TakeDibSlot(std::uint32_t key);
    // Puts the slot of layer's new content at place at once, rather than where new slots go.
    void PlaceNewSlot(const CLayerControl& layer, const SlotPlacement& place);
    // A new slot for the layer's content; none (after an error box) when it cannot be made.
    static std::unique_ptr<CDIBSlot> MakeDibSlot(const CLayerControl& layer);
    // The area slot covers, normalised, in design units.
    static RECT AreaOf(const CDIBSlot& slot);

    // Selection frame and dragging.
    void PickLayerAt(POINT p);
    // Puts the selected slot at to; composes the area it swept now or (for a drag without interactive
    // update) gathers it for the button-up.
    void PlaceSelectedSlot(const SlotPlacement& to, bool composeNow);
    void ShowPointerFor(POINT p);
    // No slot is selected any more; the mode buttons stay as they are.
    void DropFrame();
    static void ClickIfEnabled(CButtonControl* button);
    void SelectNextFilledLayer(int direction);
    // Moves the texts that lie on slot as the drag step from was moved it, and grows swept by where they
    // were and are (DIBMixerAttached.cpp). The drag's end forgets where they started.
    void MoveAttachedTexts(const SlotState& was, const CDIBSlot& slot, RECT* swept);
    // The slots of the texts that lie on slot and go with it.
    std::vector<CDIBSlot*> AttachedTexts(const CDIBSlot& slot) const;
    void EndAttachedMove();
    std::optional<SlotState> m_dragStart;
    std::vector<SlotState> m_attachedStarts;
    int m_hotHandle = -1;
    bool m_frameShown = false;
    // The drag since the last press, of the slot with that key, and where the press was.
    std::optional<CSlotDrag> m_drag;
    std::uint32_t m_dragKey = 0;
    POINT m_pressPoint{};

    CDIBSlot m_canvas;
    std::vector<std::unique_ptr<CDIBSlot>> m_slots; // index 0 is the front-most
    CDIBSlot* m_selectedSlot = nullptr;
    CButtonControl* m_moveButton = nullptr;
    CButtonControl* m_textButton = nullptr;
    CButtonControl* m_interactiveUpdateButton = nullptr;
    CButtonControl* m_helpButton = nullptr;
    CBlendTable m_blendTable;
    CCanvasComposer m_composer;
    std::uint32_t m_coverKey = 0;
    bool m_interactiveUpdate = false;
    bool m_helpShowing = false;
    std::string m_helpPrefix = "res/helpn";
};
