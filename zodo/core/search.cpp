#include "search.h"

#include <cctype>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "names.h"
#include "regex.h"
#include "viewcore.h"

namespace zodo {

namespace {

// Bytes an item of compiled code takes, opcode included; 0 for a byte that
// starts no item the compiler writes.
int ItemLength(unsigned char op)
{
    switch (op) {
    case REGEX_ANY:
    case REGEX_ANY | REGEX_STAR:
    case REGEX_EOL:
    case REGEX_END:
        return 1;
    case REGEX_GROUP_START:
    case REGEX_GROUP_END:
    case REGEX_CHAR:
    case REGEX_CHAR | REGEX_STAR:
    case REGEX_BACKREF:
    case REGEX_BACKREF | REGEX_STAR:
        return 2;
    case REGEX_ANY | REGEX_INTERVAL:
        return 3;
    case REGEX_CHAR | REGEX_INTERVAL:
        return 4;
    case REGEX_CLASS:
    case REGEX_CLASS | REGEX_STAR:
        return 1 + REGEX_CLASS_BYTES;
    case REGEX_CLASS | REGEX_INTERVAL:
        return 3 + REGEX_CLASS_BYTES;
    default:
        return 0;
    }
}

// Finds the places in the text where a line may match: where the literal
// starts (bytes compared after folding, that is lower-casing when case is
// ignored), and where a backspace stands when asked to. Where the processor
// has SSE2, sixteen places at a time: the block of the text at p and the one
// at p + length - 1 are compared with the literal's first and last byte
// together, and only the places both agree on are compared in full.
class CandidateScan {
public:
    CandidateScan(const std::string& literal, bool ignoreCase, bool backspaces)
        : literal_(literal), m_(static_cast<long>(literal.size())), backspaces_(backspaces)
    {
        for (int b = 0; b < 256; ++b)
            fold_[b] = static_cast<unsigned char>(ignoreCase ? std::tolower(b) : b);
#if defined(__SSE2__)
        const unsigned char first = static_cast<unsigned char>(literal.front());
        const unsigned char last = static_cast<unsigned char>(literal.back());
        first_[0] = _mm_set1_epi8(static_cast<char>(first));
        first_[1] = _mm_set1_epi8(static_cast<char>(ignoreCase ? std::toupper(first) : first));
        last_[0] = _mm_set1_epi8(static_cast<char>(last));
        last_[1] = _mm_set1_epi8(static_cast<char>(ignoreCase ? std::toupper(last) : last));
        backspace_ = _mm_set1_epi8('\b');
#endif
    }

    // The first place in [from, textEnd); a literal there lies wholly in it.
    const char* Forward(const char* from, const char* textEnd) const
    {
        const char* q = from;
#if defined(__SSE2__)
        for (; textEnd - q >= m_ + kBlock - 1; q += kBlock) {
            for (unsigned mask = Mask(q); mask; mask &= mask - 1) {
                const char* p = q + __builtin_ctz(mask);
                if (IsPlace(p, textEnd))
                    return p;
            }
        }
#endif
        for (; q < textEnd; ++q)
            if (IsPlace(q, textEnd))
                return q;
        return nullptr;
    }

    // The last place in [begin, limit); a literal there may run past limit
    // but not past textEnd.
    const char* Backward(const char* begin, const char* limit, const char* textEnd) const
    {
        const char* q = limit;
#if defined(__SSE2__)
        // The top places go one by one while the second block would run past
        // the text.
        for (; q > begin && (q - begin < kBlock || textEnd - q < m_ - 1); --q)
            if (IsPlace(q - 1, textEnd))
                return q - 1;
        for (; q - begin >= kBlock; q -= kBlock) {
            for (unsigned mask = Mask(q - kBlock); mask;) {
                const int top = 31 - __builtin_clz(mask);
                const char* p = q - kBlock + top;
                if (IsPlace(p, textEnd))
                    return p;
                mask &= ~(1u << top);
            }
        }
#endif
        for (; q > begin; --q)
            if (IsPlace(q - 1, textEnd))
                return q - 1;
        return nullptr;
    }

private:
#if defined(__SSE2__)
    static constexpr long kBlock = 16;

    // One bit for each of the sixteen places at p that may hold what is sought.
    unsigned Mask(const char* p) const
    {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m_ - 1));
        __m128i both = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(head, first_[0]), _mm_cmpeq_epi8(head, first_[1])),
                                     _mm_or_si128(_mm_cmpeq_epi8(tail, last_[0]), _mm_cmpeq_epi8(tail, last_[1])));
        if (backspaces_)
            both = _mm_or_si128(both, _mm_cmpeq_epi8(head, backspace_));
        return static_cast<unsigned>(_mm_movemask_epi8(both));
    }

    __m128i first_[2];   // the literal's first byte, in both cases when case is ignored
    __m128i last_[2];
    __m128i backspace_;
#endif

    bool IsPlace(const char* p, const char* textEnd) const
    {
        if (backspaces_ && *p == '\b')
            return true;
        if (textEnd - p < m_)
            return false;
        for (long i = 0; i < m_; ++i)
            if (fold_[static_cast<unsigned char>(p[i])] != static_cast<unsigned char>(literal_[i]))
                return false;
        return true;
    }

    std::string literal_;
    long m_;
    bool backspaces_;
    unsigned char fold_[256];
};

// The record of the line that holds the byte at offset, among the lines
// numbered lo to hi (records lie in line order, so they can be halved).
LineRecord* LineHolding(const LineIndex& index, long offset, long lo, long hi)
{
    while (lo < hi) {
        long mid = lo + (hi - lo + 1) / 2;
        if (index.Line(mid)->offset <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    return index.Line(lo);
}

bool LineMatches(const LineIndex& index, const LineRecord* line, const char* code, const SearchOptions& options,
                 const RenderOptions& render, std::string& text)
{
    SearchTextOf(index, line, options, render, text);
    return RegexStep(text.c_str(), code) != 0;
}

// Whether a line whose bytes do not hold the literal can still match:
// only through what rendering adds or takes away. Blanks come from tabs,
// NULs and the line-number prefix, digits from that prefix, anything from
// the hexadecimal form; a backspace joins what stood apart (so the scan
// stops at every backspace too). This answers for the literal and the
// settings.
bool ScanAnswersFor(const std::string& literal, const SearchOptions& options, const RenderOptions& render)
{
    if (literal.empty())
        return false;
    if (!options.renderedText)
        return true;
    if (render.hexadecimal)
        return false;
    for (char c : literal) {
        if (c == ' ')
            return false;
        if (render.lineNumbers && c >= '0' && c <= '9')
            return false;
    }
    return true;
}

LineRecord* PlainWalk(const LineIndex& index, LineRecord* line, bool forward, const char* code,
                      const SearchOptions& options, const RenderOptions& render)
{
    std::string text;
    for (; line; line = forward ? line->next : line->previous)
        if (LineMatches(index, line, code, options, render, text))
            return line;
    return nullptr;
}

}   // namespace

std::string SearchExpressionText(const SearchOptions& options)
{
    return SearchExpression(options.expression, options.anchorStart, options.anchorEnd, options.ignoreCase);
}

bool CompileSearch(const SearchOptions& options, char* code, int codeSize)
{
    return CompileSearchExpression(SearchExpressionText(options), code, codeSize);
}

void PrepareSearchText(std::string& text, bool ignoreCase)
{
    if (ignoreCase && !text.empty())
        LowerBytes(&text[0], text.size());
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
}

void SearchTextOf(const LineIndex& index, const LineRecord* line, const SearchOptions& options,
                  const RenderOptions& render, std::string& out)
{
    const char* bytes = index.BytesOf(line);
    const int length = index.LengthOf(line);
    if (options.renderedText) {
        RenderLine(bytes, length, line->lineNumber, line->offset, render, out);
    } else {
        // The line is matched as a C string: a NUL ends it.
        const void* nul = std::memchr(bytes, '\0', static_cast<size_t>(length));
        out.assign(bytes, nul ? static_cast<const char*>(nul) : bytes + length);
    }
    PrepareSearchText(out, options.ignoreCase);
}

LineRecord* SearchStartLine(const LineRecord* top, bool forward)
{
    if (!top)
        return nullptr;
    return forward ? top->next : top->previous;
}

std::string RequiredLiteral(const char* code, int codeSize)
{
    std::string best, run;
    for (int at = 0; at < codeSize;) {
        const unsigned char op = static_cast<unsigned char>(code[at]);
        const int length = ItemLength(op);
        if (length == 0 || at + length > codeSize)
            return std::string();   // not code the compiler writes
        if (op == REGEX_CHAR) {
            run += code[at + 1];
        } else if (op != REGEX_GROUP_START && op != REGEX_GROUP_END) {
            // Group marks take no text; anything else may take none or several.
            if (run.size() > best.size())
                best = run;
            run.clear();
            if (op == REGEX_END)
                return best;
        }
        at += length;
    }
    return std::string();
}

LineRecord* FindLine(const LineIndex& index, LineRecord* first, bool forward, const char* code, int codeSize,
                     const SearchOptions& options, const RenderOptions& render, SearchWalk walk)
{
    if (!first)
        return nullptr;
    const std::string literal = walk == SearchWalk::Scan ? RequiredLiteral(code, codeSize) : std::string();
    const char* text = index.Text();
    const char* end = text + index.TextSize();
    if (!ScanAnswersFor(literal, options, render))
        return PlainWalk(index, first, forward, code, options, render);

    // Every line that can match holds the literal in its own bytes, or (in
    // rendered text) a backspace, so the first (or last) such place in the
    // block names the next line worth a full match; lines in between cannot
    // match.
    const CandidateScan scan(literal, options.ignoreCase, options.renderedText);
    const long lastNumber = index.LastLine()->lineNumber;
    std::string lineText;
    LineRecord* line = first;
    while (line) {
        const char* lineStart = text + line->offset;
        const char* hit =
            forward ? scan.Forward(lineStart, end) : scan.Backward(text, lineStart + index.LengthOf(line), end);
        if (!hit)
            return nullptr;
        const long offset = hit - text;
        LineRecord* candidate = forward ? LineHolding(index, offset, line->lineNumber, lastNumber)
                                        : LineHolding(index, offset, 1, line->lineNumber);
        if (LineMatches(index, candidate, code, options, render, lineText))
            return candidate;
        line = forward ? candidate->next : candidate->previous;
    }
    return nullptr;
}

SearchOutcome SearchLines(const LineIndex& index, LineRecord* first, bool forward, const SearchOptions& options,
                          const RenderOptions& render, LineRecord** found, SearchWalk walk)
{
    *found = nullptr;
    char code[REGEX_CODE_SIZE];
    if (!CompileSearch(options, code, sizeof code))
        return SearchOutcome::InvalidPattern;
    *found = FindLine(index, first, forward, code, sizeof code, options, render, walk);
    return *found ? SearchOutcome::Found : SearchOutcome::NotFound;
}

}   // namespace zodo
