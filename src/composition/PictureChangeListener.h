#pragma once
// Who hears that the picture changed: the picture area lives below the document that keeps that fact, so
// it knows the document's side only by this interface.

class CPictureChangeListener {
public:
    // Something the user sees or saves of the picture has changed: a layer's content, place, size, mirror
    // flags or visibility, or the order of the layers.
    virtual void OnPictureChanged() = 0;

protected:
    ~CPictureChangeListener() = default;
};
