// Backtracking matcher for the byte code written by regex_compile.cpp.
//
// Every item stops at the line's NUL, so the matcher never reads past it.
// Recursion happens only at repeated items and runs over the rest of the code,
// so its depth is bounded by the number of items in one code buffer.
#include "regex.h"

const char* g_regexMatchStart = nullptr;
const char* g_regexMatchEnd = nullptr;
const char* g_regexGroupStart[REGEX_MAX_GROUPS] = {};
const char* g_regexGroupEnd[REGEX_MAX_GROUPS] = {};
const char* g_regexStopAt = nullptr;
int g_regexRangeLow = 0;
int g_regexRangeSize = 0;

namespace {

typedef const unsigned char* Code;

unsigned char Byte(const char* p)
{
    return static_cast<unsigned char>(*p);
}

// Text characters are looked up by their low seven bits; bit 0 of the first
// byte is never set, so the NUL at the line end is never a member.
bool InClass(Code bitmap, const char* p)
{
    unsigned bit = Byte(p) & 0x7Fu;
    return (bitmap[bit >> 3] & g_regexBitMasks[bit & 7u]) != 0;
}

// Whether a character, any or class item (flags stripped) accepts the text
// character at p.
bool Accepts(unsigned char base, Code operands, const char* p)
{
    switch (base) {
    case REGEX_CHAR:
        return Byte(p) == operands[0];
    case REGEX_ANY:
        return *p != 0;
    default:
        return InClass(operands, p);
    }
}

int OperandBytes(unsigned char base)
{
    switch (base) {
    case REGEX_CHAR:
        return 1;
    case REGEX_ANY:
        return 0;
    default:
        return REGEX_CLASS_BYTES;
    }
}

// Tries the rest of the code from `from` back down to `floor`, one character at
// a time, never at the caller's stop-at position.
int BackOff(const char* from, const char* floor, Code rest)
{
    for (const char* q = from;; --q) {
        if (q == g_regexStopAt)
            return 0;
        if (RegexAdvance(q, reinterpret_cast<const char*>(rest)))
            return 1;
        if (q == floor)
            return 0;
    }
}

}  // namespace

int RegexCompareBytes(const char* a, const char* b, int length)
{
    for (int i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return 0;
    }
    return 1;
}

void RegexGetRange(const char* bounds)
{
    g_regexRangeLow = Byte(bounds);
    int maximum = Byte(bounds + 1);
    g_regexRangeSize = maximum == REGEX_NO_MAXIMUM ? REGEX_UNBOUNDED_RUN : maximum - g_regexRangeLow;
}

int RegexAdvance(const char* position, const char* code)
{
    const char* p = position;
    Code ip = reinterpret_cast<Code>(code);
    for (;;) {
        unsigned char op = *ip++;
        switch (op) {
        case REGEX_CHAR:
            if (Byte(p) != *ip++)
                return 0;
            ++p;
            break;
        case REGEX_ANY:
            if (*p == 0)
                return 0;
            ++p;
            break;
        case REGEX_CLASS:
            if (!InClass(ip, p))
                return 0;
            ip += REGEX_CLASS_BYTES;
            ++p;
            break;
        case REGEX_EOL:
            if (*p != 0)
                return 0;
            break;
        case REGEX_END:
            g_regexMatchEnd = p;
            return 1;
        case REGEX_GROUP_START: {
            unsigned n = *ip++;
            if (n < REGEX_MAX_GROUPS)
                g_regexGroupStart[n] = p;
            break;
        }
        case REGEX_GROUP_END: {
            unsigned n = *ip++;
            if (n < REGEX_MAX_GROUPS)
                g_regexGroupEnd[n] = p;
            break;
        }
        case REGEX_BACKREF: {
            unsigned n = *ip++;
            if (n >= REGEX_MAX_GROUPS)
                return 0;
            int length = static_cast<int>(g_regexGroupEnd[n] - g_regexGroupStart[n]);
            if (length < 0 || !RegexCompareBytes(g_regexGroupStart[n], p, length))
                return 0;
            p += length;
            break;
        }
        case REGEX_CHAR | REGEX_STAR:
        case REGEX_ANY | REGEX_STAR:
        case REGEX_CLASS | REGEX_STAR: {
            unsigned char base = static_cast<unsigned char>(op & ~REGEX_STAR);
            Code operands = ip;
            ip += OperandBytes(base);
            const char* start = p;
            while (Accepts(base, operands, p))
                ++p;
            return BackOff(p, start, ip);
        }
        case REGEX_CHAR | REGEX_INTERVAL:
        case REGEX_ANY | REGEX_INTERVAL:
        case REGEX_CLASS | REGEX_INTERVAL: {
            unsigned char base = static_cast<unsigned char>(op & ~REGEX_INTERVAL);
            Code operands = ip;
            ip += OperandBytes(base);
            RegexGetRange(reinterpret_cast<const char*>(ip));
            ip += 2;
            for (int i = 0; i < g_regexRangeLow; ++i) {
                if (!Accepts(base, operands, p))
                    return 0;
                ++p;
            }
            const char* start = p;
            for (int i = 0; i < g_regexRangeSize && Accepts(base, operands, p); ++i)
                ++p;
            return BackOff(p, start, ip);
        }
        case REGEX_BACKREF | REGEX_STAR: {
            unsigned n = *ip++;
            if (n >= REGEX_MAX_GROUPS)
                return 0;
            const char* group = g_regexGroupStart[n];
            int length = static_cast<int>(g_regexGroupEnd[n] - group);
            const char* start = p;
            if (length <= 0)
                return RegexAdvance(p, reinterpret_cast<const char*>(ip));
            while (RegexCompareBytes(group, p, length))
                p += length;
            for (;; p -= length) {
                if (RegexAdvance(p, reinterpret_cast<const char*>(ip)))
                    return 1;
                if (p == start)
                    return 0;
            }
        }
        default:
            // Not an opcode this matcher knows: step over the byte.
            break;
        }
    }
}

int RegexStep(const char* line, const char* code)
{
    if (g_regexAnchored) {
        g_regexMatchStart = line;
        return RegexAdvance(line, code);
    }
    Code ip = reinterpret_cast<Code>(code);
    if (ip[0] == REGEX_CHAR) {
        // Try only where the first character is there already.
        for (const char* p = line;; ++p) {
            if (Byte(p) == ip[1] && RegexAdvance(p, code)) {
                g_regexMatchStart = p;
                return 1;
            }
            if (*p == 0)
                return 0;
        }
    }
    for (const char* p = line;; ++p) {
        if (RegexAdvance(p, code)) {
            g_regexMatchStart = p;
            return 1;
        }
        if (*p == 0)
            return 0;
    }
}
