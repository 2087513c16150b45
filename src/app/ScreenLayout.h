#pragma once
// The editor screen: every control the view makes, in the order it makes them, with its picture and its
// rectangle in design units (pixels of the background picture). The view builds the screen from this
// table; the resource tool draws the background and the button pictures at these places, and the tests
// check the built screen against it. Paths are relative to the working directory.

#include "app/ControlIds.h"
#include "platform/WinTypes.h"

enum class ScreenKind {
    Button,      // a push button with its state picture
    Toggle,      // the same, switched on and off by clicks
    PictureArea, // the compositor
    HoldCell,    // a thumbnail cell or the picked-picture cell, with the overlay picture
    Layer,       // a layer control, with the overlay picture; it makes its own hide toggle
    LayerStrip,
    ThumbStrip,
};

struct ScreenPlace {
    int id;
    ScreenKind kind;
    const char* picture; // the state or overlay picture; null for none
    RECT rect;           // empty for a control that its strip places
};

inline constexpr char SCREEN_BACKGROUND[] = "res/Backg.BMP";
// The background whose colour table is the screen palette, on a palette display.
inline constexpr char SCREEN_BACKGROUND_PALETTE[] = "res/Backg8.BMP";
inline constexpr char HOLD_OVERLAY[] = "res/hold.bmp";
inline constexpr char HIDE_TOGGLE_PICTURE[] = "res/bvisib.bmp";
// The folder the thumb strip shows when the editor opens.
inline constexpr char FIRST_THUMB_FOLDER[] = "res/bckgnds";
// The content folder each folder button shows in the thumb strip; the user's own pictures of the same
// kind live in the folder of the same name in the user's data folder.
struct ContentFolder {
    int id;
    const char* folder;
};
inline constexpr ContentFolder CONTENT_FOLDERS[] = {
    {IDC_BACKGROUNDS, FIRST_THUMB_FOLDER},
    {IDC_BALLOONS, "res/textblbs"},
    {IDC_CHARACTERS, "res/chars"},
    {IDC_PROPS, "res/props"},
};
// The smallest the window can be made, in pixels.
constexpr int MIN_TRACK_WIDTH = 210;
constexpr int MIN_TRACK_HEIGHT = 210;

inline constexpr ScreenPlace SCREEN_LAYOUT[] = {
    {IDC_QUIT, ScreenKind::Button, "res/bquit.bmp", {750, 2, 785, 42}},
    {IDC_BACKGROUNDS, ScreenKind::Button, "res/bbackgs.BMP", {0, 449, 78, 499}},
    {IDC_BALLOONS, ScreenKind::Button, "res/btextbs.BMP", {78, 449, 156, 499}},
    {IDC_CHARACTERS, ScreenKind::Button, "res/bchars.BMP", {0, 499, 78, 549}},
    {IDC_PROPS, ScreenKind::Button, "res/bprops.BMP", {78, 499, 156, 549}},
    {IDC_LOAD, ScreenKind::Button, "res/bload.BMP", {580, 31, 628, 91}},
    {IDC_SAVE, ScreenKind::Button, "res/bsave.BMP", {638, 31, 686, 91}},
    {IDC_PRINT, ScreenKind::Button, "res/bprint.BMP", {695, 31, 743, 91}},
    {IDC_MOVE, ScreenKind::Toggle, "res/bmove.BMP", {580, 98, 628, 158}},
    {IDC_TEXT, ScreenKind::Toggle, "res/btext.BMP", {635, 98, 691, 158}},
    {IDC_INTERACTIVE_UPDATE, ScreenKind::Toggle, "res/bintupd.BMP", {697, 98, 753, 158}},
    {IDC_HELP, ScreenKind::Toggle, "res/bhelp.BMP", {755, 98, 782, 158}},
    {IDC_INFO, ScreenKind::Button, "res/binfo.BMP", {605, 187, 637, 219}},
    {IDC_GLUE, ScreenKind::Button, "res/bglue.BMP", {638, 187, 670, 219}},
    {IDC_LAYER_UP, ScreenKind::Button, "res/blayup.BMP", {671, 187, 703, 219}},
    {IDC_LAYER_DOWN, ScreenKind::Button, "res/blaydo.BMP", {704, 187, 736, 219}},
    {IDC_LAYER_DELETE, ScreenKind::Button, "res/blaydel.BMP", {737, 187, 769, 219}},
    {IDC_MIXER, ScreenKind::PictureArea, nullptr, {2, 23, 571, 444}},
    // On the picture's title bar, where a hand looks for a step back.
    {IDC_UNDO, ScreenKind::Button, "res/bundo.BMP", {507, 3, 537, 21}},
    {IDC_REDO, ScreenKind::Button, "res/bredo.BMP", {539, 3, 569, 21}},
    {IDC_THUMB_CELL1, ScreenKind::HoldCell, HOLD_OVERLAY, {}},
    {IDC_THUMB_CELL2, ScreenKind::HoldCell, HOLD_OVERLAY, {}},
    {IDC_THUMB_CELL3, ScreenKind::HoldCell, HOLD_OVERLAY, {}},
    {IDC_THUMB_CELL4, ScreenKind::HoldCell, HOLD_OVERLAY, {}},
    {IDC_THUMB_BACK, ScreenKind::Button, "res/bthumbup.BMP", {162, 473, 183, 525}},
    {IDC_THUMB_FORWARD, ScreenKind::Button, "res/bthumbdo.BMP", {473, 473, 494, 525}},
    {IDC_LAYER1, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER2, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER3, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER4, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER5, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER6, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER7, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER8, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER9, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER10, ScreenKind::Layer, HOLD_OVERLAY, {}},
    {IDC_LAYER_STRIP, ScreenKind::LayerStrip, nullptr, {599, 230, 781, 540}},
    {IDC_PICKED, ScreenKind::HoldCell, HOLD_OVERLAY, {514, 480, 566, 519}},
    {IDC_THUMB_STRIP, ScreenKind::ThumbStrip, nullptr, {160, 470, 496, 528}},
};

// The place of the control id, or null.
constexpr const ScreenPlace* FindScreenPlace(int id) {
    for (const ScreenPlace& place : SCREEN_LAYOUT)
        if (place.id == id)
            return &place;
    return nullptr;
}
