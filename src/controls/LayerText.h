#pragma once
// What a text layer was made from, so that it can be drawn again with a changed word: the text, its font,
// colour and centring.

#include "platform/Font.h"
#include <algorithm>
#include <string>
#include <tuple>

struct LayerText {
    // The colour of a text before the user picks one.
    static constexpr COLORREF defaultColour = 0x1E0032;

    std::string text;
    LOGFONT font;
    COLORREF colour = defaultColour;
    int centred = 0;

    bool operator==(const LayerText& other) const {
        const auto fields = [](const LayerText& t) {
            const LOGFONT& f = t.font;
            return std::tie(t.text, t.colour, t.centred, f.lfHeight, f.lfWidth, f.lfEscapement,
                            f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut,
                            f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,
                            f.lfPitchAndFamily);
        };
        return fields(*this) == fields(other) &&
               std::equal(std::begin(font.lfFaceName), std::end(font.lfFaceName),
                          std::begin(other.font.lfFaceName));
    }
};
