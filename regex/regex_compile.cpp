// Compiler from expression text to the byte code read by regex_match.cpp.
#include "regex.h"

#include <cstring>

const unsigned char g_regexBitMasks[8] = {1, 2, 4, 8, 16, 32, 64, 128};

bool g_regexAnchored = false;
int g_regexGroupCount = 0;
int g_regexClosedGroups = 0;

namespace {

// Expression characters are handled as signed 8-bit values whatever the
// platform's char is, so class ranges that reach above 127 behave the same on
// every build.
signed char SignedAt(const char* p)
{
    return static_cast<signed char>(static_cast<unsigned char>(*p));
}

class Compiler {
public:
    Compiler(const char* expression, char* codeStart, char* codeEnd, char delimiter)
        : m_in(expression),
          m_pos(reinterpret_cast<unsigned char*>(codeStart)),
          m_end(reinterpret_cast<unsigned char*>(codeEnd)),
          m_delimiter(static_cast<signed char>(static_cast<unsigned char>(delimiter)))
    {
    }

    // Returns one past the end item, or null.
    unsigned char* Run();

private:
    signed char Next() { return SignedAt(m_in++); }
    signed char Peek() const { return SignedAt(m_in); }
    bool EndsExpression(signed char c) const { return c == m_delimiter || c == '\n' || c == 0; }

    // Every item is written only when it, and the end item after it, fit.
    bool Room(int itemBytes) const { return m_end - m_pos >= itemBytes + 1; }
    bool Emit(unsigned char opcode);
    bool Emit(unsigned char opcode, unsigned char operand);

    bool Class();
    bool Interval();
    bool Number(int* value, signed char* stop);

    const char* m_in;
    unsigned char* m_pos;
    unsigned char* const m_end;
    const signed char m_delimiter;
    unsigned char* m_lastItem = nullptr;
    int m_openGroups[REGEX_MAX_GROUPS];
    int m_openCount = 0;
    int m_closedCount = 0;   // groups a back-reference may name
};

bool Compiler::Emit(unsigned char opcode)
{
    if (!Room(1))
        return false;
    *m_pos++ = opcode;
    return true;
}

bool Compiler::Emit(unsigned char opcode, unsigned char operand)
{
    if (!Room(2))
        return false;
    *m_pos++ = opcode;
    *m_pos++ = operand;
    return true;
}

unsigned char* Compiler::Run()
{
    g_regexAnchored = false;
    g_regexGroupCount = 0;
    g_regexClosedGroups = 0;
    if (Peek() == '^') {
        g_regexAnchored = true;
        ++m_in;
    }

    for (;;) {
        if (m_pos >= m_end)
            return nullptr;
        signed char c = Next();
        if (c != '*' && !(c == '\\' && Peek() == '{'))
            m_lastItem = m_pos;

        if (c == m_delimiter || c == 0 || c == '\n') {
            *m_pos++ = REGEX_END;   // every earlier item left room for it
            return m_pos;
        }

        switch (c) {
        case '$':
            if (EndsExpression(Peek())) {
                if (!Emit(REGEX_EOL))
                    return nullptr;
                continue;
            }
            break;
        case '*':
            // A star with nothing to repeat, or after a group bracket, is taken
            // literally; on a star or interval item the flag is already there.
            if (m_lastItem == nullptr || *m_lastItem == REGEX_GROUP_START || *m_lastItem == REGEX_GROUP_END)
                break;
            *m_lastItem |= REGEX_STAR;
            continue;
        case '.':
            if (!Emit(REGEX_ANY))
                return nullptr;
            continue;
        case '[':
            if (!Class())
                return nullptr;
            continue;
        case '\\': {
            signed char e = Next();
            if (e == '\n' || e == 0)
                return nullptr;
            if (e == '(') {
                if (g_regexGroupCount >= REGEX_MAX_GROUPS)
                    return nullptr;
                if (!Emit(REGEX_GROUP_START, static_cast<unsigned char>(g_regexGroupCount)))
                    return nullptr;
                m_openGroups[m_openCount++] = g_regexGroupCount++;
                continue;
            }
            if (e == ')') {
                // Groups do not nest: the one closing must be the last opened,
                // with every earlier one already closed.
                if (m_openCount == 0)
                    return nullptr;
                if (++g_regexClosedGroups != g_regexGroupCount)
                    return nullptr;
                if (!Emit(REGEX_GROUP_END, static_cast<unsigned char>(m_openGroups[--m_openCount])))
                    return nullptr;
                ++m_closedCount;
                continue;
            }
            if (e == '{') {
                if (m_lastItem == nullptr) {
                    c = e;
                    break;
                }
                if (!Interval())
                    return nullptr;
                continue;
            }
            if (e >= '1' && e <= '9') {
                int group = e - '1';
                if (group >= m_closedCount)
                    return nullptr;
                if (!Emit(REGEX_BACKREF, static_cast<unsigned char>(group)))
                    return nullptr;
                continue;
            }
            if (e == 'n')
                c = '\n';
            else if (e == 't')
                c = '\t';
            else
                c = e;
            break;
        }
        default:
            break;
        }

        // An ordinary character.
        m_lastItem = m_pos;
        if (!Emit(REGEX_CHAR, static_cast<unsigned char>(c)))
            return nullptr;
    }
}

bool Compiler::Class()
{
    if (!Room(1 + REGEX_CLASS_BYTES))
        return false;
    *m_pos = REGEX_CLASS;
    unsigned char* bitmap = m_pos + 1;
    std::memset(bitmap, 0, REGEX_CLASS_BYTES);
    m_pos += 1 + REGEX_CLASS_BYTES;

    // Members are recorded by their low seven bits, which is how the matcher
    // looks text characters up.
    auto add = [bitmap](int member) {
        unsigned bit = static_cast<unsigned char>(member) & 0x7Fu;
        bitmap[bit >> 3] |= g_regexBitMasks[bit & 7u];
    };

    signed char previous = 0;
    signed char c = Next();
    bool negated = false;
    if (c == '^') {
        negated = true;
        c = Next();
    }
    do {
        if (c == 0 || c == '\n')
            return false;
        if (c == '-' && previous != 0) {
            signed char e = Next();
            if (e == ']') {
                add('-');
                break;
            }
            if (e == 0 || e == '\n')
                return false;
            // The range runs on signed values: one that climbs from below 128
            // to above it is empty apart from its ends.
            for (int member = previous; member < e; ++member)
                add(member);
            c = e;
        }
        if (c == '\\') {
            c = Next();
            if (c == 0 || c == '\n')
                return false;
            if (c == 'n')
                c = '\n';
        }
        add(c);
        previous = c;
        c = Next();
    } while (c != ']');

    if (negated) {
        for (int i = 0; i < REGEX_CLASS_BYTES; ++i)
            bitmap[i] = static_cast<unsigned char>(~bitmap[i]);
    }
    // The line's end (and the text characters that fold onto it) never match.
    bitmap[0] &= static_cast<unsigned char>(~g_regexBitMasks[0]);
    return true;
}

// Reads digits up to a backslash or a comma, which is left in *stop.
bool Compiler::Number(int* value, signed char* stop)
{
    int n = 0;
    int digits = 0;
    for (;;) {
        signed char c = Next();
        if (c == '\\' || c == ',') {
            *stop = c;
            break;
        }
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > REGEX_MAX_COUNT)
            return false;
        ++digits;
    }
    *value = n;
    return digits > 0;
}

bool Compiler::Interval()
{
    // Only characters, any and classes repeat by count; the matcher would not
    // read a count after anything else, so such an interval is refused.
    unsigned char op = *m_lastItem;
    unsigned char base = static_cast<unsigned char>(op & ~REGEX_INTERVAL);
    if ((op & REGEX_INTERVAL) == REGEX_INTERVAL || (base != REGEX_CHAR && base != REGEX_ANY && base != REGEX_CLASS))
        return false;
    *m_lastItem = static_cast<unsigned char>(op | REGEX_INTERVAL);

    int minimum = 0;
    signed char stop = 0;
    if (!Number(&minimum, &stop))
        return false;
    if (!Room(2))
        return false;
    *m_pos++ = static_cast<unsigned char>(minimum);

    int maximum = minimum;
    bool two = stop == ',';
    if (two) {
        if (Peek() == '\\') {
            ++m_in;
            maximum = REGEX_NO_MAXIMUM;
        } else {
            if (!Number(&maximum, &stop) || stop == ',')
                return false;
        }
    }
    if (Next() != '}')
        return false;
    if (two && maximum < minimum)
        return false;
    *m_pos++ = static_cast<unsigned char>(maximum);
    return true;
}

}   // namespace

char* RegexCompile(const char* expression, char* codeStart, char* codeEnd, char delimiter)
{
    if (codeStart == nullptr || codeEnd <= codeStart)
        return nullptr;
    if (expression == nullptr)
        expression = "";

    signed char first = SignedAt(expression);
    if (first == static_cast<signed char>(static_cast<unsigned char>(delimiter)) || first == '\n' || first == 0) {
        // An empty expression repeats the code already in the buffer.
        return *codeStart != 0 ? codeStart : nullptr;
    }

    Compiler compiler(expression, codeStart, codeEnd, delimiter);
    unsigned char* end = compiler.Run();
    if (end == nullptr) {
        // Half-written code has no end item: make sure a later empty expression
        // cannot bring it back to the matcher.
        *codeStart = 0;
        return nullptr;
    }
    return reinterpret_cast<char*>(end);
}
