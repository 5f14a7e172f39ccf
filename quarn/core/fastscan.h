// Byte scanning for the search loop: finding literal text in large blocks,
// and lower-casing blocks (line ends: bytescan.h). The C runtime's own memchr and
// memcmp go byte by byte on some platforms, which would make reading the
// files the slowest part of a search.
#ifndef QUARN_FASTSCAN_H
#define QUARN_FASTSCAN_H

#include <cstddef>

#include "bytescan.h"

// Copies n bytes, turning "A"-"Z" into "a"-"z" and leaving every other byte.
void LowerCopy(char* to, const char* from, size_t n);

// A literal prepared for repeated searching: the search looks first for the
// literal's rarest byte and its last byte, which skips most text at once.
struct LiteralFinder {
    const char* text = nullptr;
    size_t length = 0;
    size_t rareIndex = 0;   // offset in the literal of the byte looked for first

    void Prepare(const char* literal, size_t literalLength);

    // Start of the first occurrence lying wholly inside [from, to), or null.
    // An empty literal is found at `from`.
    const char* Find(const char* from, const char* to) const;
};

#endif
