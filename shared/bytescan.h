// Finding one byte value in a large block: line ends, end-of-text marks,
// the end of a string.
// The C runtime's memchr goes byte by byte on some platforms, which would
// make scanning the slowest part of reading a large file; this looks at
// sixteen bytes at once where the processor has SSE2.
#ifndef TAMREL_BYTESCAN_H
#define TAMREL_BYTESCAN_H

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// First byte equal to `value` in [from, to), or null. Reads nothing past `to`.
const char* ScanByte(const char* from, const char* to, unsigned char value);

// First NUL in [from, to), or null.
inline const char* ScanNul(const char* from, const char* to)
{
    return ScanByte(from, to, 0);
}

// The address sanitizer counts the aligned reads below that pass the
// terminator as overruns, harmless as they are; sanitized builds take the
// plain loop.
#if defined(__SANITIZE_ADDRESS__)
#define TAMREL_PLAIN_TEXT_LENGTH 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAMREL_PLAIN_TEXT_LENGTH 1
#endif
#endif

// strlen for hot paths. The runtime's own goes one byte at a time; this
// looks at sixteen at once where the processor has SSE2. The aligned
// sixteen-byte reads never cross into another page, so they cannot fault
// past the terminator.
inline size_t TextLength(const char* text)
{
#if defined(__SSE2__) && !defined(TAMREL_PLAIN_TEXT_LENGTH)
    const __m128i zero = _mm_setzero_si128();
    uintptr_t misalignment = reinterpret_cast<uintptr_t>(text) & 15u;
    const char* block = text - misalignment;
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
