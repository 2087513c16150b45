#pragma once
// What a text layer was made from, so that it can be drawn again with a changed word: the text, its font,
// colour and centring.

#include "platform/Font.h"
#include <string>

struct LayerText {
    // The colour of a text before the user picks one.
    static constexpr COLORREF defaultColour = 0x1E0032;

    std::string text;
    LOGFONT font;
    COLORREF colour = defaultColour;
    int centred = 0;

    bool operator==(const LayerText&) const = default;
};
