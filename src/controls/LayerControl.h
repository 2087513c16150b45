#pragma once
// One layer of the picture, one row of the layer strip: its thumbnail in a 4:3 field, a small hide
// toggle, and a text field with its label. In a control h pixels high the thumbnail field is 4h / 3 wide,
// the toggle starts 2 pixels after it and is h - 2 wide, and the text field fills the rest. It carries what
// the picture area reads of a layer: the content picture, the content key, the hide toggle and whether
// anything changed since the picture area looked.

#include "controls/HoldControl.h"
#include <cstdint>
#include <string>

class CLayerControl : public CHoldControl {
public:
    // With a toggle picture the hide toggle (id toggleId) is made in this control's window and handed to
    // the manager, which owns it.
    CLayerControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                  const char* caption, DWORD extraStyle, const char* togglePicture, int toggleId, int marginX,
                  int marginY);

    // Exchanges content key, label, picture, thumbnail and the flags of the controls and of their toggles
    // with other; positions, ids and the changed flags stay. False unless both have a hide toggle.
    virtual bool SwapLayerWith(CLayerControl* other);
    // Also switches the hide toggle off and forgets key and label.
    void ClearImage() override;

    // Places the hide toggle beside the thumbnail field.
    void Rescale() override;
    // The text field with the label, the thumbnail field, then the hide toggle.
    void Draw(const RECT* area) override;

    // Whether the layer takes part in the picture: it has a hide toggle, neither held down nor on.
    bool IsShown() const;
    CButtonControl* GetToggle() const { return m_toggle; }

    std::uint32_t m_contentKey = 0; // 0: no content
    std::string m_label;
    bool m_changed = true; // set on every change of content, place or visibility; the picture area clears it

private:
    CButtonControl* m_toggle = nullptr; // owned by the manager
};
