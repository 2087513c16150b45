#pragma once
// The composer's pixel work with SSE2, 16 companion bytes or four pixels at a time: built where the
// processor has it (every x86-64), byte for byte the same as the plain set, which it falls back on for
// short stretches and whose copying it keeps.

#if defined(__SSE2__)
#include "composition/ScalarKernels.h"
#include <algorithm>
#include <bit>
#include <emmintrin.h>

class CSse2Kernels : public CScalarKernels {
public:
    static int EndOfTransparent(const BYTE* row, int x, int end) {
        return end < 16 ? CScalarKernels::EndOfTransparent(row, x, end)
                        : EndOfSame(row, x, end, _mm_setzero_si128());
    }
    static int EndOfOpaque(const BYTE* row, int x, int end) {
        return end < 16 ? CScalarKernels::EndOfOpaque(row, x, end)
                        : EndOfSame(row, x, end, _mm_set1_epi8(-1));
    }
    static int EndOfSoft(const BYTE* row, int x, int end) {
        if (end < 16)
            return CScalarKernels::EndOfSoft(row, x, end);
        const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi8(-1);
        return RunEnd(row, x, end,
                      [zero, full](const BYTE* p) { return Equal16(p, zero) | Equal16(p, full); });
    }

    // Four pixels at a time in 16-bit lanes: no product exceeds 255 × 255, so each byte is the same as
    // the table's; the pixels left over go the plain way.
    static void Blend(BYTE* out, const BYTE* image, const BYTE* alpha, const SourceColumn* column, int n,
                      const BYTE* table) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i ones = _mm_set1_epi8(-1);
        auto mix8 = [](__m128i d, __m128i s, __m128i keep, __m128i take) {
            return _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(d, keep), 8),
                                 _mm_srli_epi16(_mm_mullo_epi16(s, take), 8));
        };
        for (; n >= 4; n -= 4, column += 4, out += 12) {
            std::uint32_t weights[3], tail;
            const auto words = GatherFour(image, column);
            const std::uint32_t a0 = alpha[column[0].alpha] * 0x010101u,
                                a1 = alpha[column[1].alpha] * 0x010101u,
                                a2 = alpha[column[2].alpha] * 0x010101u,
                                a3 = alpha[column[3].alpha] * 0x010101u;
            weights[0] = a0 | a1 << 24;
            weights[1] = a1 >> 8 | a2 << 16;
            weights[2] = a2 >> 16 | a3 << 8;
            std::memcpy(&tail, out + 8, 4);
            const __m128i d = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(out)),
                                                 _mm_cvtsi32_si128(int(tail)));
            const __m128i s = _mm_setr_epi32(int(words[0]), int(words[1]), int(words[2]), 0);
            const __m128i take = _mm_setr_epi32(int(weights[0]), int(weights[1]), int(weights[2]), 0);
            const __m128i keep = _mm_sub_epi8(ones, take);
            const __m128i lo = mix8(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero),
                                    _mm_unpacklo_epi8(keep, zero), _mm_unpacklo_epi8(take, zero));
            const __m128i hi = mix8(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero),
                                    _mm_unpackhi_epi8(keep, zero), _mm_unpackhi_epi8(take, zero));
            const __m128i mixed = _mm_packus_epi16(lo, hi);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), mixed);
            tail = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(mixed, 8)));
            std::memcpy(out + 8, &tail, 4);
        }
        CScalarKernels::Blend(out, image, alpha, column, n, table);
    }

private:
    // The bits of the 16 bytes at p that equal v (bit i for byte i).
    static unsigned Equal16(const BYTE* p, __m128i v) {
        return unsigned(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), v)));
    }

    // The first column from x on, before end (at least 16), at which ends16 sets a bit for the 16 bytes
    // it is given; end if there is none. The last bytes of the range are taken as the 16 that end at end
    // rather than one by one.
    template <class Ends16> static int RunEnd(const BYTE* row, int x, int end, Ends16 ends16) {
        for (; x + 16 <= end; x += 16)
            if (const unsigned found = ends16(row + x))
                return x + std::countr_zero(found);
        const unsigned found = ends16(row + end - 16) >> (x - (end - 16));
        return std::min(x + std::countr_zero(found), end);
    }

    // The first column from x on, before end (at least 16), whose byte is not the one in every lane of same.
    static int EndOfSame(const BYTE* row, int x, int end, __m128i same) {
        return RunEnd(row, x, end, [same](const BYTE* p) { return ~Equal16(p, same) & 0xFFFF; });
    }
};
static_assert(PixelKernels<CSse2Kernels>);
#endif
