#include "platform/DC.h"

#include "platform/DCImpl.h"

#include <QTransform>
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
    // Smoothing only where the size changes: Qt's filter would blur even a plain or mirrored copy.
    const bool smooth = d->stretchMode == HALFTONE && (std::fabs(sx) != 1 || std::fabs(sy) != 1);
    const bool drawn = d->Paint([&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        p.setTransform(toDest, true);
        p.drawImage(source, *rows, source);
    });
    return drawn ? int(std::min<qint64>(std::llabs(hSrc), INT32_MAX)) : GDI_ERROR;
}
