#pragma once
// Pictures in the formats the platform's image readers take (PNG, JPEG, GIF, SVG, BMP and whatever plugin
// is installed), read once into the program's own layout: a 24-bit packed bitmap and, beside it, an 8-bit
// coverage bitmap (0 nothing shows, 255 all of it) from the file's alpha channel.

#include "platform/WinTypes.h"
#include <memory>
#include <string>
#include <vector>

struct PackedImage {
    std::unique_ptr<BYTE[]> block; // 40-byte header, rows bottom-up as blue, green, red
    DWORD size = 0;
    std::unique_ptr<BYTE[]> coverage; // 40-byte header, grey table, rows bottom-up
    DWORD coverageSize = 0;
};

// Reads path into out. A picture with an alpha channel shows white where nothing of it shows, as the
// content pictures do; one without gets a coverage that shows all of it, since white is no hole in a
// photograph. False, keeping nothing, for a file no reader takes or one wider or higher than
// maxDimension or larger than maxBlockSize in memory.
bool ReadImageFile(const std::string& path, LONG maxDimension, DWORD maxBlockSize, PackedImage* out);

// The name endings (lower case, with the dot) of the formats the readers take.
const std::vector<std::string>& ImageFileExtensions();

// A picture made ready to be kept: the file's own bytes and extension when it is small enough, else the
// picture reduced to maxSide on its long side as PNG bytes (alpha kept), extension ".png".
struct PreparedImage {
    std::string bytes;
    std::string extension;
    bool reduced = false;
};
// False for a file no reader takes in full, or one larger than maxFileBytes.
bool PrepareImageFile(const std::string& path, int maxSide, std::uint64_t maxFileBytes, PreparedImage* out);
