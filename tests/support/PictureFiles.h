#pragma once
// Picture files in the formats other programs write (PNG, JPEG, ...), made with Qt's writers.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <functional>
#include <string>

// The bytes of a width x height picture in format ("png", "jpg", ...), pixel x, y as pixel says
// (0xAARRGGBB; the alpha counts only with alpha set).
inline std::string EncodedPicture(int width, int height, const char* format,
                                  const std::function<unsigned(int x, int y)>& pixel, bool alpha = true) {
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(x, y));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

// The picture a file holds, as Qt reads it (null when it cannot).
inline QImage DecodedPicture(const std::string& path) {
    return QImage(QString::fromStdString(path));
}
