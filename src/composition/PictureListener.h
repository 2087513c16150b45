#pragma once
// Who shows or keeps a picture hears of each change of it: which layer changed, and in what.

// What of a layer changed: its picture, content key or label; its place, size or mirror flags; whether
// it is hidden; its text or the picture the text lies on.
enum class LayerChange { content, place, hidden, text };

class CPictureListener {
public:
    virtual void OnLayerChanged(int /*layer*/, LayerChange /*what*/) {}
    // Another layer is selected (-1: none), or the selected one shows its frame in another mode.
    virtual void OnSelectionChanged(int /*layer*/) {}
    // One edit is complete, all its layers told: a single layer's change, a step of the history, or the
    // whole picture replaced (replaced: a file read, a new picture), which a screen shows whole.
    virtual void OnChangesDone(bool /*replaced*/) {}

protected:
    ~CPictureListener() = default;
};
