#pragma once
// An off-screen bitmap for a memory device context.

#include "platform/GdiObject.h"
#include "platform/WinTypes.h"
#include <memory>

class CDC;
class QImage;

class CBitmap : public CGdiObject {
public:
    CBitmap();
    ~CBitmap() override;
    // Refuses sizes of 0 or less and more than maxSide a side; the bitmap starts black.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    bool IsCreated() const;
    // Platform side: the pixels (Format_RGB32), or null before the bitmap was created.
    QImage* GetSurface() const;
    static constexpr int maxSide = 16384;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
