#pragma once
// The drawings of the help pages: the editor screen with a sample picture and its parts numbered, the four
// steps of making a picture, the layer strip, the selection frame, the Text dialog and the file commands.
// They hold no words but the Text dialog's buttons, which are those of the language.

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

class CHelpFigures {
public:
    // screen: the editor's background picture at design size.
    explicit CHelpFigures(const QImage& screen);
    // Draws the named figure fitted into r (kept in proportion); false for an unknown name.
    bool Draw(QPainter& p, const QString& name, const QRectF& r, int language) const;
    // The width : height proportion of the named figure.
    static qreal Aspect(const QString& name);

private:
    QImage SampleScreen(const QImage& screen) const;
    void DrawScreen(QPainter& p) const;
    void DrawSteps(QPainter& p) const;
    void DrawLayers(QPainter& p) const;
    void DrawMove(QPainter& p) const;
    void DrawText(QPainter& p, int language) const;
    void DrawFiles(QPainter& p) const;

    QImage m_sample; // the screen with buttons, a sample picture and filled layers
    QImage m_character;
};
