#pragma once
// The bytes of a layered picture file (.qmf) read as the format lays them out, without the program: the
// magic, the entry count, then per entry a 564-byte record and, unless it has no image, the layer picture
// and its alpha companion as BMP file images, each as long as its file-size field says.

#include <cstdint>
#include <cstring>
#include <string>

// The file with the content key of every entry set to 0. A reader draws fresh keys and never reads these,
// so a file loaded and saved again differs from the one it came from in nothing else. Where the entries
// cannot be walked the rest is left as it is.
inline std::string LayeredFileWithoutKeys(std::string bytes) {
    const auto u32 = [&bytes](std::size_t at) {
        std::uint32_t v = 0;
        if (at + 4 <= bytes.size())
            std::memcpy(&v, bytes.data() + at, 4); // little-endian, as the machine
        return v;
    };
    constexpr std::size_t record = 564, alphaFlag = 36, noImageFlag = 40;
    if (bytes.size() < 8 || bytes.compare(0, 4, std::string("QMF\0", 4)) != 0)
        return bytes;
    const std::int32_t count = std::int32_t(u32(4));
    std::size_t at = 8;
    for (std::int32_t f = 0; f < count && at + record <= bytes.size(); ++f) {
        std::memset(bytes.data() + at, 0, 4);
        const bool alpha = u32(at + alphaFlag) != 0, noImage = u32(at + noImageFlag) != 0;
        at += record;
        if (noImage)
            continue;
        for (int picture = 0; picture < (alpha ? 2 : 1); ++picture) {
            const std::uint32_t size = u32(at + 2);
            if (size == 0)
                return bytes;
            at += size;
        }
    }
    return bytes;
}
