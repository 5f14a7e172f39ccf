// Backtracking matcher for the byte code written by regex_compile.cpp.
//
// Every item stops at the line's NUL, so the matcher never reads past it.
// Recursion happens only at repeated items and runs over the rest of the code,
// so its depth is bounded by the number of items in one code buffer.
#include "regex.h"

RegexMatchState g_regexState;
const char*& g_regexMatchStart = g_regexState.matchStart;
const char*& g_regexMatchEnd = g_regexState.matchEnd;
const char* (&g_regexGroupStart)[REGEX_MAX_GROUPS] = g_regexState.groupStart;
const char* (&g_regexGroupEnd)[REGEX_MAX_GROUPS] = g_regexState.groupEnd;
const char*& g_regexStopAt = g_regexState.stopAt;
int& g_regexRangeLow = g_regexState.rangeLow;
int& g_regexRangeSize = g_regexState.rangeSize;

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

// The matcher over a state (below): RegexAdvance's work.
template <class State>
int Advance(State s, const char* position, const char* code);

// Tries the rest of the code from `from` back down to `floor`, one character at
// a time, never at the caller's stop-at position. Kept out of line: inlined
// into the matcher's loop it made matches with closures slower.
template <class State>
__attribute__((noinline)) int BackOff(State s, const char* from, const char* floor, Code rest)
{
    // The matcher never moves the stop-at position.
    const char* stopAt = s->stopAt;
    for (const char* q = from;; --q) {
        if (q == stopAt)
            return 0;
        if (Advance(s, q, reinterpret_cast<const char*>(rest)))
            return 1;
        if (q == floor)
            return 0;
    }
}

}   // namespace

int RegexCompareBytes(const char* a, const char* b, int length)
{
    for (int i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return 0;
    }
    return 1;
}

namespace {

// The state a match works on: the program-wide one, at its fixed address,
// or one of the caller's.
struct ProgramState {
    RegexMatchState* operator->() const { return &g_regexState; }
};
struct CallersState {
    RegexMatchState* state;
    RegexMatchState* operator->() const { return state; }
};

template <class State>
void GetRange(State s, const char* bounds)
{
    s->rangeLow = Byte(bounds);
    int maximum = Byte(bounds + 1);
    s->rangeSize = maximum == REGEX_NO_MAXIMUM ? REGEX_UNBOUNDED_RUN : maximum - s->rangeLow;
}

template <class State>
int Advance(State s, const char* position, const char* code)
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
            s->matchEnd = p;
            return 1;
        case REGEX_GROUP_START: {
            unsigned n = *ip++;
            if (n < REGEX_MAX_GROUPS)
                s->groupStart[n] = p;
            break;
        }
        case REGEX_GROUP_END: {
            unsigned n = *ip++;
            if (n < REGEX_MAX_GROUPS)
                s->groupEnd[n] = p;
            break;
        }
        case REGEX_BACKREF: {
            unsigned n = *ip++;
            if (n >= REGEX_MAX_GROUPS)
                return 0;
            int length = static_cast<int>(s->groupEnd[n] - s->groupStart[n]);
            if (length < 0 || !RegexCompareBytes(s->groupStart[n], p, length))
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
            return BackOff(s, p, start, ip);
        }
        case REGEX_CHAR | REGEX_INTERVAL:
        case REGEX_ANY | REGEX_INTERVAL:
        case REGEX_CLASS | REGEX_INTERVAL: {
            unsigned char base = static_cast<unsigned char>(op & ~REGEX_INTERVAL);
            Code operands = ip;
            ip += OperandBytes(base);
            GetRange(s, reinterpret_cast<const char*>(ip));
            ip += 2;
            for (int i = 0; i < s->rangeLow; ++i) {
                if (!Accepts(base, operands, p))
                    return 0;
                ++p;
            }
            const char* start = p;
            for (int i = 0; i < s->rangeSize && Accepts(base, operands, p); ++i)
                ++p;
            return BackOff(s, p, start, ip);
        }
        case REGEX_BACKREF | REGEX_STAR: {
            unsigned n = *ip++;
            if (n >= REGEX_MAX_GROUPS)
                return 0;
            const char* group = s->groupStart[n];
            int length = static_cast<int>(s->groupEnd[n] - group);
            const char* start = p;
            if (length <= 0)
                return Advance(s, p, reinterpret_cast<const char*>(ip));
            while (RegexCompareBytes(group, p, length))
                p += length;
            for (;; p -= length) {
                if (Advance(s, p, reinterpret_cast<const char*>(ip)))
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

template <class State>
int Step(State s, const char* line, const char* code, bool anchored)
{
    if (anchored) {
        s->matchStart = line;
        return Advance(s, line, code);
    }
    Code ip = reinterpret_cast<Code>(code);
    if (ip[0] == REGEX_CHAR) {
        // Try only where the first character is there already.
        for (const char* p = line;; ++p) {
            if (Byte(p) == ip[1] && Advance(s, p, code)) {
                s->matchStart = p;
                return 1;
            }
            if (*p == 0)
                return 0;
        }
    }
    for (const char* p = line;; ++p) {
        if (Advance(s, p, code)) {
            s->matchStart = p;
            return 1;
        }
        if (*p == 0)
            return 0;
    }
}

}   // namespace

void RegexGetRange(const char* bounds)
{
    GetRange(ProgramState(), bounds);
}

int RegexAdvance(const char* position, const char* code)
{
    return Advance(ProgramState(), position, code);
}

int RegexStep(const char* line, const char* code)
{
    return Step(ProgramState(), line, code, g_regexAnchored);
}

int RegexAdvanceIn(RegexMatchState& state, const char* position, const char* code)
{
    return Advance(CallersState{&state}, position, code);
}

int RegexStepIn(RegexMatchState& state, const char* line, const char* code, bool anchored)
{
    return Step(CallersState{&state}, line, code, anchored);
}
