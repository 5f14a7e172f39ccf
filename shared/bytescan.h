// Finding one byte value in a large block: line ends and end-of-text marks;
// and copying the short runs of bytes that lines are. The C runtime's memchr
// and strlen go byte by byte on some platforms, and its memcpy and memmove
// cost several times a line's own copying for a line, which would make them
// the slowest part of going through a large file line by line; these look at
// and move sixteen bytes at once where the processor has SSE2.
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

// First byte in [from, to) that is `value` or NUL, or null: a search within
// a NUL-terminated text held in a buffer that ends at `to`, without first
// finding its length with the runtime's strlen. Reads nothing past `to`.
const char* ScanByteOrNul(const char* from, const char* to, unsigned char value);

// Copies length bytes from `from` to `to`. The two ranges may overlap when
// `to` lies at or before `from` (text moved towards the start of a buffer),
// as memmove allows; never when it lies after.
void CopyBytes(char* to, const char* from, size_t length);

#endif
