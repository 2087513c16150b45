#pragma once
// Pictures the tool draws itself: a background, characters and props of several looks. They fill in for
// clip art whose package is missing and round off the folders.

#include <QImage>
#include <QString>

class CStandInPainter {
public:
    // 800 x 600, opaque: a landscape whose time of day follows variant.
    static QImage Background(int variant);
    // A friendly round creature on a transparent ground; colour and shape follow variant.
    static QImage Character(int variant);
    // A ball, tree, flower, star, present or rainbow on a transparent ground.
    static QImage Prop(int variant);

    enum Kind { background, character, prop };
    // A short description of a drawn picture, for its file name and the credits.
    static QString Name(Kind kind, int variant);
};
