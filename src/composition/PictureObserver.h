#pragma once
// Who hears that the picture area has composed what it was told: the document side keeps the steps
// and the changed state, and knows the picture area only from above, so the picture area knows it only by
// this interface.

class CPictureObserver {
public:
    // The picture may have changed: a committed change is done (a drag only once released).
    virtual void OnPictureComposed() = 0;

protected:
    ~CPictureObserver() = default;
};
