#pragma once
// Lays out the whole data folder: screen, buttons, dialogs, help pages, content folders and credits; and the
// program's desktop icons beside it.

#include <QImage>
#include <QString>

class CResMaker {
public:
    struct Options {
        QString out;     // the res folder to fill
        QString source;  // tools/make-res: picks.tsv and texts/
        QString cache;   // converted clip art kept between runs
        QString scratch; // root of the unpacked scratch package
        QString icons;   // the desktop's icon theme folder (hicolor/NxN/apps), or empty for none
    };

    explicit CResMaker(Options options) : m_options(std::move(options)) {}
    // False when a file could not be written.
    bool Run();

private:
    bool MakeScreen();
    bool MakeDialogs();
    bool MakeHelp();
    bool MakeContent();
    bool MakeIcons();
    // Writes a picture of the data folder as a 24-bit or (on the general palette) 8-bit BMP file.
    bool Write(const QImage& image, const QString& name, int bits = 24);

    Options m_options;
};
