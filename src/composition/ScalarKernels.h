#pragma once
// The composer's pixel work in plain C++, byte by byte: built on every machine.

#include "composition/PixelKernels.h"
#include <array>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "pixels are read and written as little-endian words");

class CScalarKernels {
public:
    static int EndOfTransparent(const BYTE* row, int x, int end) {
        return FirstWhere(row, x, end, [](BYTE b) { return b != 0; });
    }
    static int EndOfOpaque(const BYTE* row, int x, int end) {
        return FirstWhere(row, x, end, [](BYTE b) { return b != 255; });
    }
    static int EndOfSoft(const BYTE* row, int x, int end) {
        return FirstWhere(row, x, end, [](BYTE b) { return b == 0 || b == 255; });
    }

    static void Copy(BYTE* out, const BYTE* image, const SourceColumn* column, int n, bool contiguous) {
        if (contiguous) {
            std::memcpy(out, image + column->image, 3 * std::size_t(n));
            return;
        }
        if (n < 4) {
            for (int k = 0; k < n; ++k)
                std::memcpy(out + 3 * k, image + column[k].image, 3);
            return;
        }
        auto copyFour = [image](const SourceColumn* c, BYTE* to) {
            const auto words = GatherFour(image, c);
            std::memcpy(to, &words[0], 4);
            std::memcpy(to + 4, &words[1], 4);
            std::memcpy(to + 8, &words[2], 4);
        };
        // The last four pixels are copied again rather than one by one: writing the same bytes twice is
        // harmless, and it spares a loop of unpredictable length.
        for (int k = 0; k + 4 <= n; k += 4)
            copyFour(column + k, out + 3 * k);
        copyFour(column + n - 4, out + 3 * (n - 4));
    }

    static void Blend(BYTE* out, const BYTE* image, const BYTE* alpha, const SourceColumn* column, int n,
                      const BYTE* table) {
        if (table)
            MixEach<true>(out, image, alpha, column, n, table);
        else
            MixEach<false>(out, image, alpha, column, n, table);
    }

protected:
    // The pixels of four columns, in order, as twelve bytes.
    static std::array<std::uint32_t, 3> GatherFour(const BYTE* image, const SourceColumn* column) {
        // A pixel is read as the word that ends with it: the header in front of the rows keeps that read
        // inside the block even for the first pixel.
        auto pixel = [image](const SourceColumn& c) {
            std::uint32_t word;
            std::memcpy(&word, image + c.image - 1, 4);
            return word >> 8;
        };
        const std::uint32_t p0 = pixel(column[0]), p1 = pixel(column[1]), p2 = pixel(column[2]),
                            p3 = pixel(column[3]);
        return {p0 | p1 << 24, p1 >> 8 | p2 << 16, p2 >> 16 | p3 << 8};
    }

private:
    template <class Ends> static int FirstWhere(const BYTE* row, int x, int end, Ends ends) {
        while (x < end && !ends(row[x]))
            ++x;
        return x;
    }

    template <bool withTable>
    static void MixEach(BYTE* out, const BYTE* image, const BYTE* alpha, const SourceColumn* column, int n,
                        const BYTE* table) {
        for (; n > 0; --n, ++column, out += 3) {
            const unsigned a = alpha[column->alpha];
            const BYTE* s = image + column->image;
            if constexpr (withTable) {
                const BYTE* keep = table + (255 - a) * 256;
                const BYTE* take = table + a * 256;
                out[0] = BYTE(keep[out[0]] + take[s[0]]);
                out[1] = BYTE(keep[out[1]] + take[s[1]]);
                out[2] = BYTE(keep[out[2]] + take[s[2]]);
            } else {
                const unsigned k = 255 - a;
                out[0] = BYTE(((out[0] * k) >> 8) + ((s[0] * a) >> 8));
                out[1] = BYTE(((out[1] * k) >> 8) + ((s[1] * a) >> 8));
                out[2] = BYTE(((out[2] * k) >> 8) + ((s[2] * a) >> 8));
            }
        }
    }
};
static_assert(PixelKernels<CScalarKernels>);
