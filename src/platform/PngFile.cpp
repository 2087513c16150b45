#include "platform/PngFile.h"

#include "platform/File.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

BOOL WritePng24(CFile* file, const BYTE* bottomRow, int width, int height, DWORD stride) {
    if (!file || !bottomRow || width < 1 || height < 1 || stride < 3 * DWORD(width))
        return FALSE;
    // A view of the rows as stored, turned top-down (a copy) for the encoder.
    const QImage stored(bottomRow, width, height, qsizetype(stride), QImage::Format_BGR888);
    const QImage picture = stored.mirrored(false, true);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return FALSE;
    file->Write(encoded.constData(), UINT(encoded.size()));
    return TRUE;
}
