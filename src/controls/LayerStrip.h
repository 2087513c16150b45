#pragma once
// The column of layer controls beside the picture. Position 0, at the top, is the front-most layer. The
// strip keeps one layer selected, handles the clicks on its layers, their hide toggles and its five
// buttons (info, glue, lay up, lay down, delete), keeps those buttons enabled only when their action can
// be done, and after every change asks the picture area to recompose.

#include "controls/ControlStrip.h"
#include "controls/LayerCompositor.h"
#include <cstdint>

class CButtonControl;
class CLayerControl;

class CLayerStrip : public CControlStrip {
public:
    // Vertical, laying out its layers; registers itself as a listener.
    CLayerStrip(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                std::uint32_t flags, int m, int g);
    ~CLayerStrip() override;

    // Appends a layer control and selects it. False for anything but a layer control.
    bool AddControl(CControl* control) override;
    // Clicks on the layers, their hide toggles and the strip's buttons.
    bool OnControlEvent(int id, WPARAM param) override;

    void SetButtons(CButtonControl* info, CButtonControl* glue, CButtonControl* layUp,
                    CButtonControl* layDown, CButtonControl* remove);
    // The button that clears the selected layer, or none.
    CButtonControl* GetDeleteButton() const { return m_deleteButton; }
    // The buttons that lay the selected layer up and down, or none.
    CButtonControl* GetLayUpButton() const { return m_layUpButton; }
    CButtonControl* GetLayDownButton() const { return m_layDownButton; }
    // Joins the picture area (none: parts from it), which then recomposes.
    void SetCompositor(CLayerCompositor* compositor);
    CLayerCompositor* GetCompositor() const { return m_compositor; }

    // Selects layer (a control of this strip), which the selected slot of the picture follows.
    void Select(CLayerControl* layer);
    CLayerControl* GetSelected() const { return m_selected; }
    // The layer control at position, or none.
    CLayerControl* GetLayer(int position) const;
    // The layer control one position before layer, or none.
    CLayerControl* GetPreviousLayer(const CLayerControl* layer) const;

    // Enables each button exactly when its action can be done on the selected layer.
    void UpdateButtons();
    // The buttons, then the picture. value is not used.
    void Refresh(int value, BOOL blend);
    void ClearAllLayers();

    // Grows rect (design units) by the area of the slot that shows layer's content key; false when no
    // slot does.
    bool UniteLayerArea(RECT* rect, const CLayerControl* layer) const;
    // Grows rect by the area a slot covers: x, y to x + width, y + height, normalised.
    static void UniteSlotArea(RECT* rect, const SlotPlacement& slot);

private:
    // Select without the recompose; false when layer was selected already.
    bool SelectLayer(CLayerControl* layer);
    void Glue();
    // Moves the selected layer's content by one position (-1 up, +1 down), the selection following it.
    void MoveSelected(int step);
    // Clears the selected layer; parameter 0 asks first.
    void DeleteSelected(WPARAM param);
    // After a layer changed: the buttons and the picture follow.
    void Changed();
    void Recompose();

    CLayerControl* m_selected = nullptr;
    CButtonControl* m_infoButton = nullptr;
    CButtonControl* m_glueButton = nullptr;
    CButtonControl* m_layUpButton = nullptr;
    CButtonControl* m_layDownButton = nullptr;
    CButtonControl* m_deleteButton = nullptr;
    CLayerCompositor* m_compositor = nullptr;
};
