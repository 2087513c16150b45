#pragma once
// Writing the tool's pictures as BMP files in the program's own layout (40-byte header, bottom-up rows).

#include <QImage>
#include <QString>
#include <QVector>

namespace bmpout {

// A 24-bit picture of image's colours (alpha is ignored).
bool Write24(const QImage& image, const QString& path);
// An 8-bit picture: image is converted to the 256 colours of table with error diffusion.
bool Write8(const QImage& image, const QVector<QRgb>& table, const QString& path);
// The coverage companion of image: 8 bits, identity grey table, each byte the pixel's alpha.
bool WriteCoverage(const QImage& image, const QString& path);

} // namespace bmpout
