#pragma once
// The start-up picture and the backgrounds of the Text and Info dialogs. Dialog controls sit at their
// template places (dialog units: x * 3/2, y * 13/8 pixels); the pictures keep those places calm.

#include <QImage>

class CDialogPainter {
public:
    // 600 x 360, with room for the OK button at the bottom right (525, 321, 58 x 26).
    // The words are those of the language (a language number of the program).
    static QImage PaintStartup(int language);
    // 419 x 222: behind the text edit, the three buttons of the middle row, OK, Cancel and the prompt.
    static QImage PaintTextDialog();
    // 419 x 222: behind the description (transparent over the picture), OK and Save.
    static QImage PaintInfoDialog();
};
