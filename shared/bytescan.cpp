#include "bytescan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first byte equal to value, or (with alsoNul) a NUL, in [from, to).
template <bool alsoNul>
const char* Scan(const char* from, const char* to, unsigned char value)
{
    const char* p = from;
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi8(static_cast<char>(value));
    while (to - p >= 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hits = _mm_cmpeq_epi8(block, needle);
        if (alsoNul)
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_setzero_si128()));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask)
            return p + static_cast<unsigned>(__builtin_ctz(mask));
        p += 16;
    }
#endif
    for (; p < to; ++p) {
        if (static_cast<unsigned char>(*p) == value || (alsoNul && *p == 0))
            return p;
    }
    return nullptr;
}

// Copies length bytes, at least one word's worth and at most two, as the
// word at the start and the word at the end, both loaded before either is
// stored. The fixed-size copies compile to plain loads and stores.
template <typename Word>
void CopyEnds(char* to, const char* from, size_t length)
{
    Word head, tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + length - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + length - sizeof tail, &tail, sizeof tail);
}

}   // namespace

const char* ScanByte(const char* from, const char* to, unsigned char value)
{
    return Scan<false>(from, to, value);
}

const char* ScanByteOrNul(const char* from, const char* to, unsigned char value)
{
    return Scan<true>(from, to, value);
}

void CopyBytes(char* to, const char* from, size_t length)
{
    // Every piece is loaded before anything lands on it: the small cases
    // load both of their (possibly overlapping) ends first, and the long
    // case keeps the last sixteen bytes aside until the end, while each
    // block it moves lies behind the blocks still to be read.
    if (length >= 16) {
#if defined(__SSE2__)
        const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + length - 16));
        for (size_t at = 0; at + 16 <= length; at += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + length - 16), last);
#else
        std::memmove(to, from, length);
#endif
    } else if (length >= 8) {
        CopyEnds<uint64_t>(to, from, length);
    } else if (length >= 4) {
        CopyEnds<uint32_t>(to, from, length);
    } else if (length > 0) {
        char first = from[0], middle = from[length / 2], end = from[length - 1];
        to[0] = first;
        to[length / 2] = middle;
        to[length - 1] = end;
    }
}
