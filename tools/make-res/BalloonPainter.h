#pragma once
// The tool's own text balloons: speech with a tail to the left and to the right, thought, shout, whisper
// and a caption box. White inside so typed text shows on them; the outline is antialiased, so the coverage
// companion has soft edges.

#include <QImage>
#include <QString>

class CBalloonPainter {
public:
    enum Kind { speechLeft, speechRight, thought, shout, whisper, caption, kindCount };
    static QImage Paint(Kind kind);
    // The file name part: speech-left, speech-right, ...
    static QString Name(Kind kind);
};
