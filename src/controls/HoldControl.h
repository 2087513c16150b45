#pragma once
// A framed button that holds one content picture and shows a 100 x 75 thumbnail of it, made once per new
// picture, in a light-green field whose 3-D frame follows the button's state. An overlay picture can be
// shown in place of the content. Hold controls hand their pictures to one another.

#include "controls/ButtonControl.h"
#include <cstdint>
#include <memory>

class CHoldControl : public CButtonControl {
public:
    // marginX, marginY: pixels between the frame and the picture field.
    CHoldControl(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                 const char* caption, std::uint32_t flags, DWORD extraStyle, int marginX, int marginY);
    ~CHoldControl() override;

    // False when there is no thumbnail to destroy.
    virtual bool DeleteThumbnail();
    // Moves other's picture and thumbnail here (its reference moves too); other is left with neither and
    // is not redrawn. The flags of both stay, but for the overlay, which this control no longer shows.
    virtual bool TakeImageFrom(CHoldControl* other);
    // Shares other's picture and takes a copy of its thumbnail, then shows them. False when other has no
    // thumbnail: the picture is taken (and shown) all the same.
    virtual bool CopyImageFrom(CHoldControl* other);
    // Exchanges picture, thumbnail and the whole flags word with other, so that a look moves with the
    // picture; redraws both.
    virtual bool SwapImagesWith(CHoldControl* other);
    // Gives the picture back, destroys the thumbnail, ends the overlay and redraws.
    virtual void ClearImage();

    // The shared picture of path, not mapped to the palette; false for an empty path.
    bool SetImageFromFile(const char* path) override;
    // The picture shown instead of the content while CTL_SHOW_OVERLAY is set. Draws nothing.
    bool SetOverlayFromFile(const char* path);
    // Shows the overlay in place of the content, or not. A picture arriving or leaving ends it.
    void ShowOverlay(bool show);

    // The thumbnail (or overlay, or picture) fitted into the field, then the frame of the state.
    void Draw(const RECT* area) override;

    CDIB* GetThumbnail() const { return m_thumbnail.get(); }
    CDIB* GetOverlay() const { return m_overlay.get(); }

protected:
    // A new picture gets a new thumbnail and shows itself rather than the overlay.
    void ImageReplaced() override;

private:
    const int m_marginX;
    const int m_marginY;
    std::unique_ptr<CDIB> m_thumbnail;
    CDIBRef m_overlay;
};
