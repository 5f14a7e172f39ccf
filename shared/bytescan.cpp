#include "bytescan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

const char* ScanByte(const char* from, const char* to, unsigned char value)
{
    const char* p = from;
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi8(static_cast<char>(value));
    while (to - p >= 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, needle)));
        if (mask)
            return p + static_cast<unsigned>(__builtin_ctz(mask));
        p += 16;
    }
#endif
    for (; p < to; ++p) {
        if (static_cast<unsigned char>(*p) == value)
            return p;
    }
    return nullptr;
}
