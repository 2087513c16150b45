#include "BmpOut.h"
#include "imaging/DIB.h"
#include "platform/Palette.h"
#include <QHash>
#include <climits>
#include <cstring>
#include <vector>

namespace bmpout {
namespace {

// The one place that writes a file, through the program's own bitmap class: a 24-bit picture from RGB32,
// or an 8-bit one from Indexed8 with its table.
bool Save(const QImage& image, const QString& path) {
    const bool indexed = image.format() == QImage::Format_Indexed8;
    CPalette palette;
    if (indexed) {
        const QVector<QRgb> table = image.colorTable();
        std::vector<BYTE> memory(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
        auto* description = reinterpret_cast<LOGPALETTE*>(memory.data());
        description->palVersion = 0x300;
        description->palNumEntries = 256;
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < table.size() ? table[i] : 0;
            description->palPalEntry[i] = {BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c)), 0};
        }
        if (!palette.CreatePalette(description))
            return false;
    }
    CDIB dib;
    if (!dib.Create(image.width(), image.height(), indexed ? 8 : 24, indexed ? &palette : nullptr) ||
        !dib.BeginPixelAccess())
        return false;
    for (int y = 0; y < image.height(); ++y) {
        BYTE* row = dib.PixelAddress(0, y);
        if (indexed) {
            std::memcpy(row, image.constScanLine(y), std::size_t(image.width()));
            continue;
        }
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = BYTE(qBlue(in[x]));
            row[3 * x + 1] = BYTE(qGreen(in[x]));
            row[3 * x + 2] = BYTE(qRed(in[x]));
        }
    }
    dib.EndPixelAccess();
    return dib.Save(path.toStdString());
}

int Nearest(const QVector<QRgb>& table, int r, int g, int b) {
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < table.size(); ++i) {
        const int dr = qRed(table[i]) - r, dg = qGreen(table[i]) - g, db = qBlue(table[i]) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// Floyd-Steinberg error diffusion onto table, walking the rows in alternate directions so that smooth
// gradients show neither bands nor a drift.
QImage Dither(const QImage& image, const QVector<QRgb>& table) {
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const int w = source.width();
    QImage out(source.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    std::vector<int> error(std::size_t(w + 2) * 3 * 2, 0);
    int* current = error.data();
    int* next = current + (w + 2) * 3;
    QHash<quint32, int> nearest;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* row = out.scanLine(y);
        std::fill(next, next + (w + 2) * 3, 0);
        const bool forward = y % 2 == 0;
        for (int i = 0; i < w; ++i) {
            const int x = forward ? i : w - 1 - i;
            const int dir = forward ? 1 : -1;
            int* e = current + (x + 1) * 3;
            const int r = qBound(0, qRed(in[x]) + e[0] / 16, 255);
            const int g = qBound(0, qGreen(in[x]) + e[1] / 16, 255);
            const int b = qBound(0, qBlue(in[x]) + e[2] / 16, 255);
            const quint32 key = quint32(r << 16 | g << 8 | b);
            auto found = nearest.constFind(key);
            const int index =
                found != nearest.constEnd() ? *found : *nearest.insert(key, Nearest(table, r, g, b));
            row[x] = uchar(index);
            const int diff[3] = {r - qRed(table[index]), g - qGreen(table[index]), b - qBlue(table[index])};
            for (int c = 0; c < 3; ++c) {
                current[(x + 1 + dir) * 3 + c] += diff[c] * 7;
                next[(x + 1 - dir) * 3 + c] += diff[c] * 3;
                next[(x + 1) * 3 + c] += diff[c] * 5;
                next[(x + 1 + dir) * 3 + c] += diff[c];
            }
        }
        std::swap(current, next);
    }
    return out;
}

} // namespace

bool Write24(const QImage& image, const QString& path) {
    return Save(image.convertToFormat(QImage::Format_RGB32), path);
}

bool Write8(const QImage& image, const QVector<QRgb>& table, const QString& path) {
    return Save(Dither(image, table), path);
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
