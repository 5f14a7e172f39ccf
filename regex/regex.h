// Line-oriented regular expressions: a compiler that writes compact byte code
// into a buffer the caller owns, and a backtracking matcher that runs that code
// over one NUL-terminated line.
//
// The engine keeps its compile state, and the match state of RegexStep and
// RegexAdvance, in program-wide variables, as every program of the suite
// links its own copy of this library; those calls must be made from one
// thread. A matcher with a RegexMatchState of its own (RegexStepIn,
// RegexAdvanceIn) touches nothing else, so threads that each have one may
// match at once over code compiled before they start.
#ifndef TAMREL_REGEX_H
#define TAMREL_REGEX_H

// Byte code. Each item is an opcode byte followed by its operands; the code
// ends with REGEX_END. The star and interval flags are ORed into an opcode; an
// interval item carries two more bytes after its own operands: the minimum and
// the maximum (REGEX_NO_MAXIMUM for none).
enum RegexByteCode : unsigned char {
    REGEX_GROUP_START = 2,   // + group number 0-8
    REGEX_CHAR = 4,          // + the character
    REGEX_ANY = 8,
    REGEX_CLASS = 12,   // + 16-byte membership bitmap
    REGEX_EOL = 20,     // end-of-line anchor
    REGEX_END = 22,
    REGEX_GROUP_END = 24,   // + group number
    REGEX_BACKREF = 36,     // + group number

    REGEX_STAR = 1,
    REGEX_INTERVAL = 3
};

enum {
    REGEX_CODE_SIZE = 80,   // the code buffer every caller gives
    REGEX_MAX_GROUPS = 9,
    REGEX_CLASS_BYTES = 16,
    REGEX_MAX_COUNT = 254,   // largest number an interval may hold
    REGEX_NO_MAXIMUM = 255,
    REGEX_UNBOUNDED_RUN = 20000   // how far an interval without maximum may run
};

// Bit masks for the bit positions 0-7 of a class bitmap byte.
extern const unsigned char g_regexBitMasks[8];

// Compile state, overwritten by every compile of a non-empty expression.
extern bool g_regexAnchored;    // the last expression began with "^"
extern int g_regexGroupCount;   // groups opened
extern int g_regexClosedGroups;

// Match state, overwritten by every match. Positions point into the caller's
// line; a group that the successful path did not pass keeps older values.
struct RegexMatchState {
    const char* matchStart = nullptr;
    const char* matchEnd = nullptr;
    const char* groupStart[REGEX_MAX_GROUPS] = {};
    const char* groupEnd[REGEX_MAX_GROUPS] = {};
    // A position that a closure or interval may not back off to; null for none.
    const char* stopAt = nullptr;
    // The interval being matched: its minimum and how many more it may take.
    int rangeLow = 0;
    int rangeSize = 0;
};

// The program-wide match state, and the names its parts are known by.
extern RegexMatchState g_regexState;
extern const char*& g_regexMatchStart;
extern const char*& g_regexMatchEnd;
extern const char* (&g_regexGroupStart)[REGEX_MAX_GROUPS];
extern const char* (&g_regexGroupEnd)[REGEX_MAX_GROUPS];
extern const char*& g_regexStopAt;
extern int& g_regexRangeLow;
extern int& g_regexRangeSize;

// Compiles the expression into [codeStart, codeEnd). The expression ends at the
// first unescaped delimiter, a newline or the end of the text (delimiter 0: the
// whole text up to a newline). Returns one past the end item; the buffer start
// when the expression is empty and the buffer still holds earlier code (that
// code is kept); null on any error. Nothing is written outside the buffer.
char* RegexCompile(const char* expression, char* codeStart, char* codeEnd, char delimiter);

// Finds the first match of the code in the line. Returns 1 and sets
// g_regexMatchStart and g_regexMatchEnd, or returns 0.
int RegexStep(const char* line, const char* code);

// Returns 1 when the code matches at exactly this position (setting
// g_regexMatchEnd), else 0.
int RegexAdvance(const char* position, const char* code);

// RegexStep and RegexAdvance on a state of the caller's, the code's anchoring
// given rather than read from g_regexAnchored.
int RegexStepIn(RegexMatchState& state, const char* line, const char* code, bool anchored);
int RegexAdvanceIn(RegexMatchState& state, const char* position, const char* code);

// Reads an interval's two bytes (minimum, maximum) into g_regexRangeLow and
// g_regexRangeSize.
void RegexGetRange(const char* bounds);

// 1 when the length bytes at a and b are equal (a length of 0 is equal), else 0.
// Stops at the first difference, so it never reads past a NUL that differs.
int RegexCompareBytes(const char* a, const char* b, int length);

#endif
