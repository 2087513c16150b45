#pragma once
// Where the program puts its buttons and areas on the 788 x 550 design screen, and which icon and colour
// each button picture carries.

#include <QColor>
#include <QRect>
#include <array>

namespace layout {

constexpr int screenWidth = 788;
constexpr int screenHeight = 550;

enum class Icon {
    quit,
    backgrounds,
    balloons,
    characters,
    props,
    load,
    save,
    print,
    move,
    text,
    liveUpdate,
    help,
    info,
    glue,
    layerUp,
    layerDown,
    layerDelete,
    back,
    forward
};

struct Button {
    const char* file;
    int left, top, right, bottom;
    Icon icon;
    QRgb colour;
    QRect Rect() const { return QRect(left, top, right - left, bottom - top); }
};

// Colours by group: red quit, four folder colours, blue file row, green mode row, violet layer row.
inline const std::array<Button, 19> buttons{{
    {"bquit.bmp", 750, 2, 785, 42, Icon::quit, 0xffe5484d},
    {"bbackgs.BMP", 0, 449, 78, 499, Icon::backgrounds, 0xff3aa55d},
    {"btextbs.BMP", 78, 449, 156, 499, Icon::balloons, 0xff2f8fd8},
    {"bchars.BMP", 0, 499, 78, 549, Icon::characters, 0xfff08a24},
    {"bprops.BMP", 78, 499, 156, 549, Icon::props, 0xffa65fd6},
    {"bload.BMP", 580, 31, 628, 91, Icon::load, 0xff2f7fd0},
    {"bsave.BMP", 638, 31, 686, 91, Icon::save, 0xff2f7fd0},
    {"bprint.BMP", 695, 31, 743, 91, Icon::print, 0xff2f7fd0},
    {"bmove.BMP", 580, 98, 628, 158, Icon::move, 0xff21a38f},
    {"btext.BMP", 635, 98, 691, 158, Icon::text, 0xff21a38f},
    {"bintupd.BMP", 697, 98, 753, 158, Icon::liveUpdate, 0xff21a38f},
    {"bhelp.BMP", 755, 98, 782, 158, Icon::help, 0xffe9a21a},
    {"binfo.BMP", 605, 187, 637, 219, Icon::info, 0xff7b61d9},
    {"bglue.BMP", 638, 187, 670, 219, Icon::glue, 0xff7b61d9},
    {"blayup.BMP", 671, 187, 703, 219, Icon::layerUp, 0xff7b61d9},
    {"blaydo.BMP", 704, 187, 736, 219, Icon::layerDown, 0xff7b61d9},
    {"blaydel.BMP", 737, 187, 769, 219, Icon::layerDelete, 0xffd9546b},
    {"bthumbup.BMP", 162, 473, 183, 525, Icon::back, 0xfff08a24},
    {"bthumbdo.BMP", 473, 473, 494, 525, Icon::forward, 0xfff08a24},
}};

inline const QRect pictureArea(2, 23, 569, 421);   // 2, 23, 571, 444
inline const QRect layerStrip(599, 230, 182, 310); // 599, 230, 781, 540
inline const QRect thumbStrip(160, 470, 336, 58);  // 160, 470, 496, 528
inline const QRect pickedCell(514, 480, 52, 39);   // 514, 480, 566, 519

// The layer strip's layer controls are about this high at design size; the hide toggle is h - 2 by h.
constexpr int layerHeight = 27;

} // namespace layout
