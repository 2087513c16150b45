#pragma once
// Where the Text dialog's parts lie, in dialog units, with the words of its buttons. The dialog is built
// from this table and the resource tool draws the help's picture of the dialog from it, so that the help
// shows the dialog the user meets.

#include "app/ProgramTexts.h"

struct TextDialogPlace {
    int x, y, cx, cy;
};

struct TextDialogButton {
    TextDialogPlace place;
    ProgramText words;
};

inline constexpr TextDialogPlace textDialogArea{0, 0, 281, 138};
inline constexpr TextDialogPlace textDialogEdit{8, 7, 263, 82};
// OK and Cancel are wide enough for "Abbrechen"; a hint longer than the line between them wraps onto a
// second one.
inline constexpr TextDialogPlace textDialogHint{65, 114, 149, 18};
enum TextDialogButtonIndex {
    textFontButton,
    textCentreButton,
    textColourButton,
    textOkButton,
    textCancelButton
};
inline constexpr TextDialogButton textDialogButtons[] = {
    {{9, 92, 92, 18}, ProgramText::fontButton},      {{108, 92, 63, 18}, ProgramText::centreButton},
    {{178, 92, 92, 18}, ProgramText::colourButton},  {{9, 114, 50, 18}, ProgramText::okButton},
    {{220, 114, 50, 18}, ProgramText::cancelButton},
};
