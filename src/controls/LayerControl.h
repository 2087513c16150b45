#pragma once
// One layer of the picture, one row of the layer strip: its thumbnail in a 4:3 field, a small hide
// toggle, and a text field with its label. In a control h pixels high the thumbnail field is 4h / 3 wide,
// the toggle starts 2 pixels after it and is h - 2 wide, and the text field fills the rest. It carries what
// the picture area reads of a layer: the content picture, the content key, the hide toggle and whether
// anything changed since the picture area looked.

#include "composition/LayerText.h"
#include "controls/HoldControl.h"
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CLayerControl : public CHoldControl {
public:
    // With a toggle picture the hide toggle (id toggleId) is made in this control's window and handed to
    // the manager, which owns it.
    CLayerControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                  const char* caption, DWORD extraStyle, const char* togglePicture, int toggleId, int marginX,
                  int marginY);

    // The layer's content from now on: source's picture (shared) and thumbnail, key and label. False
    // when source has no picture.
    bool PutContent(CHoldControl* source, std::uint32_t key, std::string label);
    // The same with a share of a stored picture (its thumbnail made anew); false without picture.
    bool PutContent(CDIBRef picture, std::uint32_t key, std::string label);
    // The same with a picture made elsewhere, which the manager's store takes.
    bool PutContent(std::unique_ptr<CDIB> picture, std::uint32_t key, std::string label);
    // What a text layer was drawn from, and the content key of the picture it lies on (0: none); a layer
    // that gets other content forgets both. The label becomes the start of the text.
    void SetText(std::optional<LayerText> text, std::uint32_t attachedTo);
    const std::optional<LayerText>& GetText() const { return m_text; }
    std::uint32_t GetAttachedTo() const { return m_attachedTo; }
    // Exchanges content key, label, text, picture, thumbnail, the flags and whether the layer is hidden with
    // other; positions and ids stay. False unless both have a hide toggle.
    virtual bool SwapLayerWith(CLayerControl* other);
    // Also shows the layer again and forgets key and label.
    void ClearImage() override;
    // Hides or shows the layer's content in the picture.
    void SetHidden(bool hidden);
    // The hide toggle was clicked: the layer shows its new state.
    void OnToggled();

    // Places the hide toggle beside the thumbnail field.
    void Rescale() override;
    // The text field with the label, the thumbnail field, then the hide toggle.
    void Draw(const RECT* area) override;

    // Whether the layer takes part in the picture: it has a hide toggle that is off. Only the on state
    // counts: a click is handled while the toggle is still held down.
    bool IsShown() const { return m_toggle && !m_toggle->IsOn(); }
    // Whether the hide toggle is switched on.
    bool IsHidden() const { return m_toggle && m_toggle->IsOn(); }
    CButtonControl* GetToggle() const { return m_toggle; }
    std::uint32_t GetContentKey() const { return m_contentKey; }
    const std::string& GetLabel() const { return m_label; }
    // Whether content, place or visibility changed since the picture area last looked.
    bool IsChanged() const { return m_changed; }
    // The picture area has taken in the layer as it is.
    void ClearChanged() { m_changed = false; }

private:
    // The rest of putting content: key and label, marked changed and drawn.
    void ContentPut(std::uint32_t key, std::string label);

    std::uint32_t m_contentKey = 0; // 0: no content
    std::string m_label;
    std::optional<LayerText> m_text;
    std::uint32_t m_attachedTo = 0;
    bool m_changed = true;
    CButtonControl* m_toggle = nullptr; // owned by the manager
};
