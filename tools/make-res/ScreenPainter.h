#pragma once
// The editor screen's background: the sky, the panels behind the picture area, the strips and the button
// rows, and the program's name, at the design size.

#include <QImage>

class CScreenPainter {
public:
    static QImage Paint();
};
