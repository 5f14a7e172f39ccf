#include "names.h"

#include <cstring>

namespace {

bool Match(const char* pattern, const char* patternEnd, const char* name)
{
    // One point to come back to, after the last '*' seen: a later '*'
    // covers whatever an earlier one would have taken, so going back
    // further never finds a match that this misses.
    const char* star = nullptr;
    const char* resume = nullptr;
    const char* p = pattern;
    while (*name) {
        if (p < patternEnd && *p == '*') {
            star = ++p;
            resume = name;
        } else if (p < patternEnd && (*p == '?' || LowerLetter(*p) == LowerLetter(*name))) {
            ++p;
            ++name;
        } else if (star) {
            p = star;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (p < patternEnd && *p == '*')
        ++p;
    return p == patternEnd;
}

}   // namespace

std::string LowerName(const std::string& name)
{
    std::string lowered = name;
    if (!lowered.empty())
        LowerBytes(&lowered[0], lowered.size());
    return lowered;
}

void LowerBytes(char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        text[i] = LowerLetter(text[i]);
}

bool WildcardMatches(const char* pattern, const char* name, DotStar rule)
{
    const size_t length = std::strlen(pattern);
    if (Match(pattern, pattern + length, name))
        return true;
    if (length < 2 || std::strcmp(pattern + length - 2, ".*") != 0)
        return false;
    if (rule == DotStar::DotlessOnly && std::strchr(name, '.'))
        return false;
    return Match(pattern, pattern + length - 2, name);
}
