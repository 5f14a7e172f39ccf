// Fuzz target for the regular-expression engine.
//
// Input: a flags byte, a stop-at byte, then NUL-separated pieces: the
// expression, a second expression compiled into the same buffer when flag 0x08
// is set, and the lines to match.
//
// flags & 0x03  delimiter: NUL, '/', '%', NUL
// flags & 0x04  set the stop-at position (the second byte is its offset)
// flags & 0x08  compile a second expression into the same buffer
// flags >> 4    code buffer size: 80, or a size near an item boundary
//
// Buffers, expressions and lines each get a heap block of exactly their size,
// so the sanitizers see any access outside them. Checks: the code the compiler
// returns is well formed and inside the buffer, and the match bounds lie in the
// line. Exponential backtracking is inherent to this matcher, so each line is
// cut short enough that one input cannot stall the run.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "regex.h"

namespace {

const int kSizes[16] = {REGEX_CODE_SIZE, 1, 2, 3, 4, 5, 17, 18, 19, 20, 21, 22, 40, 78, 79, 81};
const int kMaxLine = 512;
const double kBacktrackBudget = 2e5;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct CodeInfo {
    int repeats = 0;                      // closures, intervals, repeated groups
    bool closed[REGEX_MAX_GROUPS] = {};   // groups with a group end item
};

// Walks the code item by item; it must end with an end item inside the buffer,
// exactly before `stop` when that is given.
CodeInfo Walk(const unsigned char* code, const unsigned char* end, const unsigned char* stop)
{
    CodeInfo info;
    const unsigned char* ip = code;
    for (;;) {
        Check(ip < end);
        unsigned char op = *ip;
        int size = 0;
        switch (op) {
        case REGEX_END:
            Check(stop == nullptr || ip + 1 == stop);
            return info;
        case REGEX_GROUP_START:
        case REGEX_GROUP_END:
        case REGEX_BACKREF:
        case REGEX_BACKREF | REGEX_STAR:
            Check(ip + 1 < end && ip[1] < REGEX_MAX_GROUPS);
            if (op == REGEX_GROUP_END)
                info.closed[ip[1]] = true;
            if (op == REGEX_BACKREF || op == (REGEX_BACKREF | REGEX_STAR))
                Check(info.closed[ip[1]]);
            if (op == (REGEX_BACKREF | REGEX_STAR))
                ++info.repeats;
            size = 2;
            break;
        case REGEX_CHAR:
        case REGEX_CHAR | REGEX_STAR:
            size = 2;
            break;
        case REGEX_CHAR | REGEX_INTERVAL:
            size = 4;
            break;
        case REGEX_ANY:
        case REGEX_ANY | REGEX_STAR:
        case REGEX_EOL:
            size = 1;
            break;
        case REGEX_ANY | REGEX_INTERVAL:
            size = 3;
            break;
        case REGEX_CLASS:
        case REGEX_CLASS | REGEX_STAR:
            size = 1 + REGEX_CLASS_BYTES;
            break;
        case REGEX_CLASS | REGEX_INTERVAL:
            size = 3 + REGEX_CLASS_BYTES;
            break;
        default:
            Check(false);
        }
        Check(ip + size < end);   // room for at least the end item after it
        if ((op & ~REGEX_INTERVAL) == REGEX_CLASS)
            Check((ip[1] & 1) == 0);   // the line end is never a member
        if ((op & REGEX_INTERVAL) == REGEX_INTERVAL) {
            int minimum = ip[size - 2];
            int maximum = ip[size - 1];
            Check(minimum <= REGEX_MAX_COUNT);
            Check(maximum == REGEX_NO_MAXIMUM || (maximum <= REGEX_MAX_COUNT && maximum >= minimum));
        }
        if ((op & 3) != 0 && op != REGEX_GROUP_START && op != (REGEX_BACKREF | REGEX_STAR))
            ++info.repeats;
        ip += size;
    }
}

// The longest line on which `repeats` nested back-offs stay within budget:
// (n + 1) start positions times C(n + repeats, repeats) ways to share n
// characters among the repeats.
int LineLimit(int repeats)
{
    int n = 0;
    while (n < kMaxLine) {
        int next = n + 1;
        double ways = std::lgamma(next + repeats + 1.0) - std::lgamma(next + 1.0) - std::lgamma(repeats + 1.0);
        if (std::log(next + 1.0) + ways > std::log(kBacktrackBudget))
            break;
        n = next;
    }
    return n;
}

std::unique_ptr<char[]> Copy(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> copy(new char[size + 1]);
    std::memcpy(copy.get(), data, size);
    copy[size] = 0;
    return copy;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    const uint8_t stopOffset = data[1];
    static const char kDelimiters[4] = {0, '/', '%', 0};
    const char delimiter = kDelimiters[flags & 3];
    const bool twice = (flags & 0x08) != 0;
    const int bufferSize = kSizes[flags >> 4];

    std::vector<std::pair<const uint8_t*, size_t>> pieces;
    const uint8_t* p = data + 2;
    const uint8_t* end = data + size;
    while (p <= end && pieces.size() < 16) {
        const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(p, 0, end - p));
        const uint8_t* stop = nul ? nul : end;
        pieces.emplace_back(p, stop - p);
        p = stop + 1;
    }
    size_t next = 0;

    std::unique_ptr<char[]> buffer(new char[bufferSize]());
    const unsigned char* codeStart = reinterpret_cast<unsigned char*>(buffer.get());
    const unsigned char* codeEnd = codeStart + bufferSize;

    char* result = nullptr;
    for (int round = 0; round < (twice ? 2 : 1) && next < pieces.size(); ++round) {
        std::unique_ptr<char[]> expression = Copy(pieces[next].first, pieces[next].second);
        ++next;
        const bool hadCode = buffer[0] != 0;
        result = RegexCompile(expression.get(), buffer.get(), buffer.get() + bufferSize, delimiter);
        if (result == nullptr)
            continue;
        Check(result >= buffer.get() && result <= buffer.get() + bufferSize);
        if (result == buffer.get())
            Check(hadCode);
    }
    if (result == nullptr)
        return 0;

    const unsigned char* stop =
        reinterpret_cast<unsigned char*>(result) == codeStart ? nullptr : reinterpret_cast<unsigned char*>(result);
    CodeInfo info = Walk(codeStart, codeEnd, stop);
    const size_t limit = static_cast<size_t>(LineLimit(info.repeats));

    for (; next < pieces.size(); ++next) {
        size_t length = pieces[next].second < limit ? pieces[next].second : limit;
        std::unique_ptr<char[]> line = Copy(pieces[next].first, length);
        const char* lineEnd = line.get() + length;
        g_regexStopAt = (flags & 0x04) ? line.get() + (stopOffset <= length ? stopOffset : length) : nullptr;
        for (int n = 0; n < REGEX_MAX_GROUPS; ++n)
            g_regexGroupStart[n] = g_regexGroupEnd[n] = nullptr;

        if (RegexStep(line.get(), buffer.get()) != 1)
            continue;
        const char* matchStart = g_regexMatchStart;
        const char* matchEnd = g_regexMatchEnd;
        Check(matchStart >= line.get() && matchStart <= matchEnd && matchEnd <= lineEnd);
        if (g_regexAnchored)
            Check(matchStart == line.get());
        for (int n = 0; n < REGEX_MAX_GROUPS; ++n) {
            const char* s = g_regexGroupStart[n];
            const char* e = g_regexGroupEnd[n];
            Check(s == nullptr || (s >= line.get() && s <= lineEnd));
            Check(e == nullptr || (e >= line.get() && e <= lineEnd));
            if (info.closed[n])
                Check(s != nullptr && e != nullptr && s >= matchStart && s <= e && e <= matchEnd);
        }
        // Matching again where the match began gives the same end.
        Check(RegexAdvance(matchStart, buffer.get()) == 1 && g_regexMatchEnd == matchEnd);
    }
    g_regexStopAt = nullptr;
    return 0;
}
