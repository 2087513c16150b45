#include "platform/DC.h"

#include "platform/DCImpl.h"

#include <QTransform>
#include <QtEndian>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// The colour table follows the header, whose size the header gives; no header kind is larger than this.
constexpr DWORD largestHeader = 124;

// Rows of the bitmap as Qt sees them, in storage order: for the usual bottom-up bitmap row 0 is the bottom
// row of the picture. Where Qt has the same layout the pixels are viewed in place; else they are converted.
std::optional<QImage> StoredRows(const BITMAPINFO& info, const void* bits) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const int width = h.biWidth;
    const qint64 height = std::llabs(qint64(h.biHeight));
    const qint64 stride = (qint64(h.biBitCount) * width + 31) / 32 * 4;
    if (width > (1 << 20) || height > (1 << 20))
        return std::nullopt;
    const auto* data = static_cast<const uchar*>(bits);

    // Indexed pixels: the colour table follows the header. Indices beyond a short table show black instead
    // of reading past it.
    auto colourTable = [&] {
        const int maxColours = 1 << h.biBitCount;
        const int count = h.biClrUsed == 0 || h.biClrUsed > DWORD(maxColours) ? maxColours : int(h.biClrUsed);
        const auto* quads =
            reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uchar*>(&info) + h.biSize);
        QList<QRgb> table(maxColours, qRgb(0, 0, 0));
        for (int i = 0; i < count; ++i)
            table[i] = qRgb(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
        return table;
    };

    switch (h.biBitCount) {
    case 1: {
        QImage rows(data, width, int(height), stride, QImage::Format_Mono);
        rows.setColorTable(colourTable());
        return rows;
    }
    case 4: {
        QImage rows(width, int(height), QImage::Format_Indexed8);
        if (rows.isNull())
            return std::nullopt;
        rows.setColorTable(colourTable());
        for (int y = 0; y < height; ++y) {
            const uchar* in = data + y * stride;
            uchar* out = rows.scanLine(y);
            for (int x = 0; x < width; ++x)
                out[x] = x & 1 ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
        }
        return rows;
    }
    case 8: {
        QImage rows(data, width, int(height), stride, QImage::Format_Indexed8);
        rows.setColorTable(colourTable());
        return rows;
    }
    case 16:
        return QImage(data, width, int(height), stride, QImage::Format_RGB555);
    case 24:
        return QImage(data, width, int(height), stride, QImage::Format_BGR888);
    case 32:
        return QImage(data, width, int(height), stride, QImage::Format_RGB32);
    default:
        return std::nullopt;
    }
}

// Copies the source rows (stored coordinates, inside the bitmap) of a 24-bit bitmap 1:1 onto a 32-bit
// surface, stored row r landing on row y0 - 1 - r of a bottom-up bitmap (y0 + r of a top-down one) and
// column c on x0 + c. The picture area does this on every paint, and Qt would convert the whole bitmap and
// take its transformed path for the flip.
void CopyRows24(QImage& surface, const QImage& rows, const QRect& source, qint64 x0, qint64 y0,
                bool bottomUp) {
    const qint64 left = std::max<qint64>(x0 + source.left(), 0);
    const qint64 right = std::min<qint64>(x0 + source.right() + 1, surface.width());
    for (int r = source.top(); r <= source.bottom() && left < right; ++r) {
        const qint64 y = bottomUp ? y0 - 1 - r : y0 + r;
        if (y < 0 || y >= surface.height())
            continue;
        const uchar* in = rows.constScanLine(r) + 3 * (left - x0);
        auto* out = reinterpret_cast<QRgb*>(surface.scanLine(int(y)));
        // Four bytes at a time hold blue, green, red and the next pixel's blue; the row's last pixel is
        // read byte by byte, since its fourth byte may lie past the bitmap.
        for (qint64 x = left; x < right - 1; ++x, in += 3) {
            std::uint32_t v;
            std::memcpy(&v, in, 4);
            out[x] = 0xFF000000u | (qFromLittleEndian(v) & 0xFFFFFFu);
        }
        out[right - 1] = 0xFF000000u | QRgb(in[2]) << 16 | QRgb(in[1]) << 8 | in[0];
    }
}

} // namespace

int CDC::StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc, int hSrc,
                       const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    if (!bits || !info || usage != DIB_RGB_COLORS || rop != SRCCOPY)
        return GDI_ERROR;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > largestHeader || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biCompression != BI_RGB)
        return GDI_ERROR;
    std::optional<QImage> rows = StoredRows(*info, bits);
    if (!rows || rows->isNull())
        return GDI_ERROR;
    if (wSrc == 0 || hSrc == 0 || wDest == 0 || hDest == 0)
        return 0;

    // Map stored-row coordinates onto the destination. A bottom-up bitmap counts source rows from its bottom
    // row, which is stored first, so that row lands at the destination's bottom; opposite signs mirror.
    // Reckoned in double, where no coordinate a caller hands in can overflow.
    const bool bottomUp = h.biHeight > 0;
    const double sx = double(wDest) / wSrc;
    const double sy = double(hDest) / hSrc;
    QTransform toDest = bottomUp
                            ? QTransform(sx, 0, 0, -sy, xDest - xSrc * sx, double(yDest) + hDest + ySrc * sy)
                            : QTransform(sx, 0, 0, sy, xDest - xSrc * sx, yDest - ySrc * sy);
    // Only the part of the source inside the bitmap is drawn, as the transform places it.
    const QRectF source = QRectF(xSrc, ySrc, wSrc, hSrc).normalized() & QRectF(rows->rect());
    if (source.isEmpty())
        return 0;
    const int rowCount = int(std::min<qint64>(std::llabs(hSrc), INT32_MAX));
    QImage* surface = d->painter ? nullptr : d->Surface();
    if (h.biBitCount == 24 && wDest == wSrc && hDest == hSrc && wSrc > 0 && hSrc > 0 && surface &&
        surface->format() == QImage::Format_RGB32) {
        CopyRows24(*surface, *rows, source.toRect(), qint64(xDest) - xSrc,
                   bottomUp ? qint64(yDest) + hDest + ySrc : qint64(yDest) - ySrc, bottomUp);
        return rowCount;
    }
    // Smoothing only where the size changes: Qt's filter would blur even a plain or mirrored copy.
    const bool smooth = d->stretchMode == HALFTONE && (std::fabs(sx) != 1 || std::fabs(sy) != 1);
    const bool drawn = d->Paint([&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        p.setTransform(toDest, true);
        p.drawImage(source, *rows, source);
    });
    return drawn ? rowCount : GDI_ERROR;
}
