#include "BmpOut.h"

namespace bmpout {
namespace {

// The one place that writes a file: a 24-bit picture from RGB32, or an 8-bit one from Indexed8 with its table.
bool Save(const QImage& image, const QString& path) { return image.save(path, "BMP"); }

} // namespace

bool Write24(const QImage& image, const QString& path) {
    return Save(image.convertToFormat(QImage::Format_RGB32), path);
}

bool Write8(const QImage& image, const QVector<QRgb>& table, const QString& path) {
    return Save(image.convertToFormat(QImage::Format_RGB32)
                    .convertToFormat(QImage::Format_Indexed8, table, Qt::DiffuseDither | Qt::PreferDither),
                path);
}

bool WriteCoverage(const QImage& image, const QString& path) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage coverage(source.size(), QImage::Format_Indexed8);
    QVector<QRgb> greys(256);
    for (int i = 0; i < 256; ++i)
        greys[i] = qRgb(i, i, i);
    coverage.setColorTable(greys);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = coverage.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = uchar(qAlpha(in[x]));
    }
    return Save(coverage, path);
}

} // namespace bmpout
