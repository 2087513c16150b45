#pragma once
// The editor screen as the tool draws it. Where each control sits and which picture it shows come from the
// program's own screen layout; the tool adds the icon and colour of each button picture.

#include "app/ScreenLayout.h"
#include "controls/ControlManager.h"
#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

namespace layout {

constexpr int screenWidth = DESIGN_WIDTH;
constexpr int screenHeight = DESIGN_HEIGHT;

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
    forward,
    undo,
    redo
};

struct Button {
    QString file; // the picture's name in res/
    QRect rect;
    Icon icon;
    QRgb colour;
    QRect Rect() const { return rect; }
};

// The name in res/ of a picture the program reads from path.
inline QString ResName(const char* path) {
    return QString::fromLatin1(path).section('/', -1);
}

// Every control of the layout with a state picture, in the layout's order.
const std::vector<Button>& Buttons();

// The design rectangle of control id; empty for a control that its strip places. Not constexpr: the
// sanitizer's null checks keep the table lookup from being a constant expression.
inline QRect Place(int id) {
    const ScreenPlace* place = FindScreenPlace(id);
    return place ? QRect(place->rect.left, place->rect.top, place->rect.right - place->rect.left,
                         place->rect.bottom - place->rect.top)
                 : QRect();
}

inline const QRect pictureArea = Place(IDC_MIXER);
inline const QRect layerStrip = Place(IDC_LAYER_STRIP);
inline const QRect thumbStrip = Place(IDC_THUMB_STRIP);
inline const QRect pickedCell = Place(IDC_PICKED);

// The layer strip's layer controls are about this high at design size; the hide toggle is h - 2 by h.
constexpr int layerHeight = 27;

} // namespace layout
