#include "utf8encoder.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define HUEVANE_X86 1
#endif

namespace huevane::cli {

namespace {

// Encodes one character, its first unit at @p in; moves @p in past it.
char *encodeOne(char *out, const char16_t *&in, const char16_t *end)
{
    char32_t u = *in++;
    if (u < 0x80) {
        *out++ = char(u);
    } else if (u < 0x800) {
        out[0] = char(0xC0 | u >> 6);
        out[1] = char(0x80 | (u & 0x3F));
        out += 2;
    } else if (QChar::isSurrogate(u)) {
        if (QChar::isHighSurrogate(u) && in != end && QChar::isLowSurrogate(*in)) {
            u = QChar::surrogateToUcs4(char16_t(u), *in++);
            out[0] = char(0xF0 | u >> 18);
            out[1] = char(0x80 | (u >> 12 & 0x3F));
            out[2] = char(0x80 | (u >> 6 & 0x3F));
            out[3] = char(0x80 | (u & 0x3F));
            out += 4;
        } else {
            out = std::copy_n("\xEF\xBF\xBD", 3, out);
        }
    } else {
        out[0] = char(0xE0 | u >> 12);
        out[1] = char(0x80 | (u >> 6 & 0x3F));
        out[2] = char(0x80 | (u & 0x3F));
        out += 3;
    }
    return out;
}

#if defined(HUEVANE_X86)

// Eight Latin-1 units give the bytes lead 0, trail 0, ..., lead 7, trail 7; a
// unit below 0x80 keeps only its lead. For every mask of the units at or above
// 0x80, the shuffle that keeps those bytes, in order, and how many there are.
struct Compaction
{
    std::array<std::array<std::uint8_t, 16>, 256> shuffle {};
    std::array<std::uint8_t, 256> length {};
};

constexpr Compaction compaction = [] {
    Compaction c;
    for (int mask = 0; mask < 256; ++mask) {
        int n = 0;
        for (int i = 0; i < 8; ++i) {
            c.shuffle[mask][n++] = std::uint8_t(2 * i);
            if (mask >> i & 1)
                c.shuffle[mask][n++] = std::uint8_t(2 * i + 1);
        }
        for (int i = n; i < 16; ++i)
            c.shuffle[mask][i] = 0x80; // a zero byte, written over next
        c.length[mask] = std::uint8_t(n);
    }
    return c;
}();

// Sixteen ASCII units at a time, then eight Latin-1 ones, as long as they come;
// stores 16 bytes for each block, which the room of three bytes a unit holds.
__attribute__((target("ssse3"))) char *encodeBlocks(char *out, const char16_t *&in,
                                                    const char16_t *end)
{
    const __m128i zero = _mm_setzero_si128();
    const auto none = [&](__m128i units, short bits) {
        const __m128i masked = _mm_and_si128(units, _mm_set1_epi16(bits));
        return _mm_movemask_epi8(_mm_cmpeq_epi16(masked, zero)) == 0xFFFF;
    };
    while (end - in >= 8) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
        if (end - in >= 16) {
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + 8));
            if (none(_mm_or_si128(low, high), -0x80)) {
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(low, high));
                in += 16;
                out += 16;
                continue;
            }
        }
        if (!none(low, -0x100))
            break;
        const __m128i two = _mm_cmpgt_epi16(low, _mm_set1_epi16(0x7F));
        const __m128i lead = _mm_or_si128(
            _mm_and_si128(two, _mm_or_si128(_mm_srli_epi16(low, 6), _mm_set1_epi16(0xC0))),
            _mm_andnot_si128(two, low));
        const __m128i trail =
            _mm_or_si128(_mm_and_si128(low, _mm_set1_epi16(0x3F)), _mm_set1_epi16(0x80));
        const __m128i pairs =
            _mm_unpacklo_epi8(_mm_packus_epi16(lead, lead), _mm_packus_epi16(trail, trail));
        const int mask = _mm_movemask_epi8(_mm_packs_epi16(two, two)) & 0xFF;
        const __m128i shuffle =
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(compaction.shuffle[mask].data()));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_shuffle_epi8(pairs, shuffle));
        out += compaction.length[mask];
        in += 8;
    }
    return out;
}

#endif

} // namespace

char *EncodeUtf8(char *out, const char16_t *in, const char16_t *end)
{
#if defined(HUEVANE_X86)
    static const bool blocks = __builtin_cpu_supports("ssse3");
    while (in != end) {
        if (blocks)
            out = encodeBlocks(out, in, end);
        // Then a few units one by one, past what stopped the blocks.
        for (const char16_t *stop = std::min(in + 8, end); in < stop;)
            out = encodeOne(out, in, end);
    }
#else
    while (in != end)
        out = encodeOne(out, in, end);
#endif
    return out;
}

} // namespace huevane::cli
