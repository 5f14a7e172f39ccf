// strlen for the hot path of a run. The runtime's own goes one byte at a
// time; this looks at sixteen at once where the processor has SSE2 and
// falls back to the plain loop elsewhere. (Byte search: bytescan.h.)
#ifndef VANTIC_FASTSCAN_H
#define VANTIC_FASTSCAN_H

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// strlen. The aligned sixteen-byte reads never cross into another page, so
// they cannot fault past the terminator.
inline size_t TextLength(const char* text)
{
#if defined(__SSE2__)
    const char* p = text;
    const __m128i zero = _mm_setzero_si128();
    uintptr_t misalignment = reinterpret_cast<uintptr_t>(p) & 15u;
    const char* block = p - misalignment;
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(block)), zero)));
    mask &= ~0u << misalignment;
    while (!mask) {
        block += 16;
        mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(block)), zero)));
    }
    return static_cast<size_t>(block + __builtin_ctz(mask) - text);
#else
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
#endif
}

#endif
