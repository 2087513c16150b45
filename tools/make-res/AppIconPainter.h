#pragma once
// The program's icon for the desktop: a rounded tile of the screen's sky and hills with three picture
// layers fanned out on it, the front one showing a speech balloon. Drawn at each size, so small icons
// stay sharp.

#include <QImage>

class CAppIconPainter {
public:
    // A square picture of size x size pixels with a transparent ground.
    static QImage Paint(int size);
};
