#pragma once
// Who hears what the picture area does with the picture: the document side keeps the steps, the changed
// state and the autosave, and knows the picture area only from above, so the picture area knows it only
// by this interface.

class CPictureObserver {
public:
    // Something the user sees or saves of the picture has changed: a layer's content, place, size, mirror
    // flags or visibility, or the order of the layers.
    virtual void OnPictureChanged() {}
    // The picture may have changed: a committed change is done (a drag only once released).
    virtual void OnPictureComposed() = 0;

protected:
    ~CPictureObserver() = default;
};
