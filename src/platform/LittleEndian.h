#pragma once
// Unsigned numbers as files store them: little-endian, size bytes (1 to 4) at offset at of a buffer.

#include "platform/WinTypes.h"
#include <cstddef>
#include <cstdint>

inline std::uint32_t GetLittleEndian(const BYTE* bytes, std::size_t at, int size = 4) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= std::uint32_t(bytes[at + std::size_t(i)]) << (8 * i);
    return value;
}

inline void PutLittleEndian(BYTE* bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = BYTE(value >> (8 * i));
}
