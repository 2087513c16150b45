#include "platform/Bitmap.h"

#include <QImage>

struct CBitmap::Impl {
    QImage image;
};

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide)
        return FALSE;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    image.fill(Qt::black);
    d = std::make_unique<Impl>(Impl{std::move(image)});
    return TRUE;
}

bool CBitmap::IsCreated() const {
    return d != nullptr;
}

QImage* CBitmap::GetSurface() const {
    return d ? &d->image : nullptr;
}
