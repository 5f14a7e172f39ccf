#include "fastscan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define QUARN_SSE2 1
#endif

namespace {

// How often a byte turns up in ordinary text and source code, roughly; the
// literal finder looks for the byte of the literal that scores lowest.
int Commonness(unsigned char c)
{
    static const char kLetters[] = "etaoinsrhldcumfpgwybvkxjqz";   // most common first
    if (c == ' ' || c == '\n' || c == '\r')
        return 250;
    if (c >= 'a' && c <= 'z') {
        const char* at = std::strchr(kLetters, c);
        return 240 - static_cast<int>(at - kLetters) * 6;
    }
    if (c >= 'A' && c <= 'Z')
        return 90;
    if (c >= '0' && c <= '9')
        return 100;
    if (c == '\t' || c == '(' || c == ')' || c == ';' || c == ',' || c == '.' || c == '=' || c == '_' || c == '"' ||
        c == '-' || c == '*' || c == '/')
        return 110;
    if (c >= 0x20 && c < 0x7F)
        return 60;
    return 10;
}

#if QUARN_SSE2
inline unsigned CountTrailingZeros(unsigned mask)
{
    return static_cast<unsigned>(__builtin_ctz(mask));
}
#endif

}   // namespace

void LowerCopy(char* to, const char* from, size_t n)
{
    size_t i = 0;
#if QUARN_SSE2
    // "A".."Z" are the bytes b for which b - "A" (as a signed byte, shifted so
    // that the range starts at -128) is below -128 + 26.
    const __m128i shift = _mm_set1_epi8(static_cast<char>(-128 - 'A'));
    const __m128i limit = _mm_set1_epi8(static_cast<char>(-128 + 26));
    const __m128i bit = _mm_set1_epi8(0x20);
    for (; i + 16 <= n; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        __m128i upper = _mm_cmplt_epi8(_mm_add_epi8(block, shift), limit);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_or_si128(block, _mm_and_si128(upper, bit)));
    }
#endif
    for (; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(from[i]);
        to[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
}

void LiteralFinder::Prepare(const char* literal, size_t literalLength)
{
    text = literal;
    length = literalLength;
    rareIndex = 0;
    for (size_t i = 1; i < length; ++i) {
        if (Commonness(static_cast<unsigned char>(text[i])) < Commonness(static_cast<unsigned char>(text[rareIndex])))
            rareIndex = i;
    }
}

const char* LiteralFinder::Find(const char* from, const char* to) const
{
    if (length == 0)
        return from;
    if (to - from < static_cast<ptrdiff_t>(length))
        return nullptr;
    const char* last = to - length;   // last possible start
    if (length == 1)
        return ScanByte(from, to, static_cast<unsigned char>(text[0]));
    // Two probes per start: the rare byte, and the last byte (or the first,
    // when the rare byte is the last).
    size_t other = rareIndex == length - 1 ? 0 : length - 1;
    const char* p = from;
#if QUARN_SSE2
    const __m128i rare = _mm_set1_epi8(text[rareIndex]);
    const __m128i second = _mm_set1_epi8(text[other]);
    while (last - p >= 15) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + rareIndex));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + other));
        unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, rare), _mm_cmpeq_epi8(b, second))));
        while (mask) {
            unsigned bitIndex = CountTrailingZeros(mask);
            const char* start = p + bitIndex;
            if (std::memcmp(start, text, length) == 0)
                return start;
            mask &= mask - 1;
        }
        p += 16;
    }
#endif
    for (; p <= last; ++p) {
        if (p[rareIndex] == text[rareIndex] && p[other] == text[other] && std::memcmp(p, text, length) == 0)
            return p;
    }
    return nullptr;
}
