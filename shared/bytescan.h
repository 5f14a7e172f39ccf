// Finding one byte value in a large block: line ends and end-of-text marks.
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

#endif
