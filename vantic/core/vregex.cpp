#include "vregex.h"

#include <cstdlib>
#include <cstring>

#include "message.h"

char g_expressionCode[REGEX_CODE_SIZE];

namespace {

// Behind the text's NUL: one byte for "has code", the anchoring flag, then
// the code itself.
enum { kHasCode = 0, kAnchored = 1, kCode = 2, kTrailer = kCode + REGEX_CODE_SIZE };

// The expression whose code is in the buffer now, to spare the copy when the
// same expression is tested line after line.
const char* s_bufferOwner = nullptr;

unsigned char* Trailer(const char* expression)
{
    return reinterpret_cast<unsigned char*>(const_cast<char*>(expression)) + std::strlen(expression) + 1;
}

}   // namespace

bool CheckExpression(const char* text, size_t length)
{
    char copy[40];
    if (length >= sizeof copy)
        return false;
    std::memcpy(copy, text, length);
    copy[length] = 0;
    s_bufferOwner = nullptr;
    return RegexCompile(copy, g_expressionCode, g_expressionCode + REGEX_CODE_SIZE, 0) != nullptr;
}

char* CopyExpression(const char* text, size_t length)
{
    char* copy = static_cast<char*>(std::malloc(length + 1 + kTrailer));
    if (!copy) {
        ToolMessage("Out of memory - sorry");
        return nullptr;
    }
    std::memcpy(copy, text, length);
    copy[length] = 0;
    unsigned char* trailer = Trailer(copy);
    // An empty expression has no code of its own: it takes the buffer as it
    // is when it is used.
    trailer[kHasCode] = length > 0;
    trailer[kAnchored] = g_regexAnchored;
    std::memcpy(trailer + kCode, g_expressionCode, REGEX_CODE_SIZE);
    return copy;
}

const char* UseExpression(const char* expression)
{
    const unsigned char* trailer = Trailer(expression);
    if (trailer[kHasCode] && s_bufferOwner != expression) {
        std::memcpy(g_expressionCode, trailer + kCode, REGEX_CODE_SIZE);
        s_bufferOwner = expression;
    }
    if (trailer[kHasCode])
        g_regexAnchored = trailer[kAnchored] != 0;
    return g_expressionCode;
}

void ForgetExpressions()
{
    s_bufferOwner = nullptr;
}
