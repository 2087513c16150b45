#pragma once
// The bitmap push button of the editor screen. Its face is one of four bands of a state picture
// (stacked vertically; band 0 is the bottom quarter as seen): 3 disabled, 0 pressed or on, 1 hot,
// 2 normal. A click sends a command event with parameter 0; a toggle flips its on bit first. With a
// caption it is a plain platform button.

#include "controls/Control.h"
#include "imaging/DIBRef.h"
#include "platform/Button.h"
#include <cstdint>
#include <memory>
#include <string>

class CDIB;

// The show-disabled, show-hot and show-pressed bits (and one unused) a state picture brings along.
constexpr std::uint32_t CTL_SHOW_STATES = 0x1E0000;

class CButtonControl : public CButton, public CControl {
public:
    CButtonControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                   const char* caption, std::uint32_t flags, DWORD extraStyle);
    ~CButtonControl() override;

    // Works out the disabled, enabled, pressed and hot bits from the platform's state, then draws.
    void DrawItem(DRAWITEMSTRUCT* item) override;
    // The click action: a toggle flips its on bit, then the command event goes out.
    virtual void Clicked();
    void OnClicked() override;
    // Whether a toggle is on.
    bool IsOn() const { return m_flags & CTL_ON; }
    // Switches a toggle on or off and shows it so, without an event. Either way the button is no longer
    // held down: a pressed bit left behind would keep a toggle that is switched off looking, and
    // counting, as on until the pointer next crosses it.
    void SetOn(bool on);
    void SwitchOff() { SetOn(false); }
    // Hands a picture made elsewhere to the manager's store and shows it. False without image or manager.
    bool SetImage(std::unique_ptr<CDIB> image);
    // Shows a share of a stored picture; false for none.
    bool SetImage(CDIBRef image);
    // The shared picture of path, mapped to the palette.
    virtual bool SetImageFromFile(const char* path);
    // Gives the picture's reference back.
    void ReleaseImage();

    void Draw(const RECT* area) override;
    // The second press of a double click is a click of its own.
    void OnDoubleClicked() override;
    void OnMouseMove(UINT flags, POINT point) override;

    CDIB* GetImage() const { return m_image.get(); }
    const CDIBRef& GetImageRef() const { return m_image; }
    const std::string& GetCaption() const { return m_caption; }
    // The band of the state picture the current bits show.
    int GetBand() const;

protected:
    // What a derived control keeps of its picture follows the new one here, before it is drawn.
    virtual void ImageReplaced() {}

    CDIBRef m_image;

private:
    std::string m_caption;
};
