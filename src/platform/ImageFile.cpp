#include "platform/ImageFile.h"

#include "platform/BitmapFormat.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr DWORD headerSize = sizeof(BITMAPINFOHEADER);
constexpr DWORD greyTableSize = 256 * sizeof(RGBQUAD);

// A zeroed packed bitmap of width x height at bitCount bits with room for tableSize bytes of colour
// table; none when memory runs out.
std::unique_ptr<BYTE[]> NewBitmap(LONG width, LONG height, WORD bitCount, DWORD tableSize, DWORD size) {
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]());
    if (!block)
        return nullptr;
    const BITMAPINFOHEADER h =
        PlainInfoHeader(width, height, bitCount, size - headerSize - tableSize, tableSize / sizeof(RGBQUAD));
    std::memcpy(block.get(), &h, headerSize);
    return block;
}

// ".name" in lower case.
std::string Extension(const QByteArray& name) {
    std::string extension(".");
    return extension.append(name.toLower().constData());
}

// Reads the picture of reader in its upright orientation; a null image when it cannot.
QImage ReadUpright(QImageReader& reader) {
    reader.setAutoTransform(true);
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}
} // namespace

bool ReadImageFile(const std::string& path, LONG maxDimension, DWORD maxBlockSize, PackedImage* out) {
    if (!out)
        return false;
    QImageReader reader(QFile::decodeName(path.c_str()));
    const QSize announced = reader.size();
    if (announced.isValid() && (announced.width() > maxDimension || announced.height() > maxDimension))
        return false;
    QImage image = ReadUpright(reader);
    const LONG width = image.width(), height = image.height();
    if (image.isNull() || width > maxDimension || height > maxDimension)
        return false;
    const DWORD stride = BitmapStride(width, 24), coverageStride = BitmapStride(width, 8);
    const std::uint64_t size = headerSize + std::uint64_t(stride) * std::uint64_t(height);
    const std::uint64_t coverageSize =
        headerSize + greyTableSize + std::uint64_t(coverageStride) * std::uint64_t(height);
    if (size > maxBlockSize || coverageSize > maxBlockSize)
        return false;
    const bool hasAlpha = image.hasAlphaChannel();
    image.convertTo(QImage::Format_ARGB32);
    auto block = NewBitmap(width, height, 24, 0, DWORD(size));
    auto coverage = NewBitmap(width, height, 8, greyTableSize, DWORD(coverageSize));
    if (image.isNull() || !block || !coverage)
        return false;
    auto* grey = reinterpret_cast<RGBQUAD*>(coverage.get() + headerSize);
    for (int i = 0; i < 256; ++i)
        grey[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
    BYTE* rows = block.get() + headerSize;
    BYTE* coverageRows = coverage.get() + headerSize + greyTableSize;
    for (LONG y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        BYTE* o = rows + std::size_t(height - 1 - y) * stride;
        BYTE* a = coverageRows + std::size_t(height - 1 - y) * coverageStride;
        for (LONG x = 0; x < width; ++x, o += 3) {
            const QRgb p = in[x];
            a[x] = hasAlpha ? BYTE(qAlpha(p)) : 255;
            if (a[x] == 0)
                o[0] = o[1] = o[2] = 255;
            else
                o[0] = BYTE(qBlue(p)), o[1] = BYTE(qGreen(p)), o[2] = BYTE(qRed(p));
        }
    }
    out->block = std::move(block);
    out->size = DWORD(size);
    out->coverage = std::move(coverage);
    out->coverageSize = DWORD(coverageSize);
    return true;
}

const std::vector<std::string>& ImageFileExtensions() {
    static const std::vector<std::string> extensions = [] {
        std::vector<std::string> list;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            list.push_back(Extension(format));
        return list;
    }();
    return extensions;
}

bool PrepareImageFile(const std::string& path, int maxSide, std::uint64_t maxFileBytes, PreparedImage* out) {
    if (!out || maxSide < 1)
        return false;
    const QString name = QFile::decodeName(path.c_str());
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || std::uint64_t(file.size()) > maxFileBytes)
        return false;
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The name's ending is the first guess at the format; the reader looks at the bytes when it is wrong.
    const QFileInfo info(name);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    QImageReader reader(&buffer, info.suffix().toLatin1());
    // A picture known to be too large is decoded at the reduced size where its reader can (JPEG and SVG
    // can, much faster than decoding it whole); the others are scaled after reading.
    const QSize announced = reader.size();
    const bool tooLarge = announced.isValid() && std::max(announced.width(), announced.height()) > maxSide;
    if (tooLarge)
        reader.setScaledSize(announced.scaled(maxSide, maxSide, Qt::KeepAspectRatio));
    QImage image = ReadUpright(reader);
    if (image.isNull())
        return false;
    if (!tooLarge && std::max(image.width(), image.height()) <= maxSide) {
        const std::string own = Extension(QFile::encodeName(info.suffix()));
        const auto& known = ImageFileExtensions();
        const bool listed = std::find(known.begin(), known.end(), own) != known.end();
        out->extension = listed ? own : Extension(format);
        out->bytes.assign(bytes.constData(), std::size_t(bytes.size()));
        out->reduced = false;
        return true;
    }
    if (std::max(image.width(), image.height()) > maxSide)
        image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray encoded;
    QBuffer target(&encoded);
    target.open(QIODevice::WriteOnly);
    QImageWriter writer(&target, "png");
    // Light compression: the file is written once, but adding should not keep the user waiting.
    writer.setQuality(80);
    if (image.isNull() || !writer.write(image))
        return false;
    out->bytes.assign(encoded.constData(), std::size_t(encoded.size()));
    out->extension = ".png";
    out->reduced = true;
    return true;
}
