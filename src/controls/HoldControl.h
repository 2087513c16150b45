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
    // is not redrawn. The flags of both stay.
    virtual bool TakeImageFrom(CHoldControl* other);
    // Takes a reference of this control's own to other's picture and a copy of its thumbnail. False when
    // other has no thumbnail: the picture is taken all the same.
    virtual bool CopyImageFrom(CHoldControl* other);
    // Exchanges picture, thumbnail and the whole flags word with other, so that a look moves with the
    // picture; redraws both.
    virtual bool SwapImagesWith(CHoldControl* other);
    // Gives the picture back, destroys the thumbnail and redraws.
    virtual void ClearImage();

    // The shared picture of path, not mapped to the palette; false for an empty path.
    bool SetImageFromFile(const char* path) override;
    // The picture shown instead of the content while CTL_SHOW_OVERLAY is set. Draws nothing.
    bool SetOverlayFromFile(const char* path);

    // The thumbnail (or overlay, or picture) fitted into the field, then the frame of the state.
    void Draw(const RECT* area) override;

    CDIB* GetThumbnail() const { return m_thumbnail.get(); }
    CDIB* GetOverlay() const { return m_overlay; }

    int m_marginX;
    int m_marginY;

protected:
    // A new picture gets a new thumbnail and shows itself rather than the overlay.
    void ImageReplaced() override;

private:
    std::unique_ptr<CDIB> m_thumbnail;
    CDIB* m_overlay = nullptr; // shared through the manager's collection
};
