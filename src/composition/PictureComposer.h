#pragma once
// Composes a picture into a 24-bit picture of any size, as the flat exports, printing, the command line's
// render and thumbnail, and the picture area do: each layer with content through a 24-bit copy of its
// picture (CDIBSlot), made when its content is new and kept while the content stays, composed back to
// front over the background, the picture's design size stretched onto the target.

#include "composition/BlendTable.h"
#include "composition/CanvasComposer.h"
#include "composition/DIBSlot.h"
#include <memory>
#include <vector>

class CPicture;

constexpr COLORREF MIXER_KEY_COLOUR = 0xFFFFFF;
constexpr COLORREF MIXER_BACKGROUND = 0xC8C8C8;

class CPictureComposer {
public:
    CPictureComposer();

    // What the flat exports and printing compose at: the flat picture's size (FlatPictureSize.h), which
    // depends on the layers alone.
    static SIZE FlatSize(const CPicture& picture);
    // How the canvas stretches its layers: halftone on a screen of 256 colours.
    static int CanvasStretchMode();
    // The whole picture composed into out, a new picture of size; false (out as it was or empty) when it
    // cannot be made.
    bool ComposeAt(const CPicture& picture, SIZE size, CDIB* out);

private:
    // One slot per layer with content, in the picture's order, its copy made anew only for new content.
    void Follow(const CPicture& picture);

    CBlendTable m_blendTable;
    CCanvasComposer m_composer;
    std::vector<std::unique_ptr<CDIBSlot>> m_slots; // 0 is the front-most
};
