// File names as the programs fold and match them: letter case lowered the
// way names are stored and shown, and wildcards matched the way the Windows
// directory search matches them. Window free and runtime free, so every
// program's engine and the native tree link it alike.
#ifndef TAMREL_NAMES_H
#define TAMREL_NAMES_H

#include <cstddef>
#include <string>

// The letters A to Z lowered; every other byte kept, those above 0x7F too.
// That is the C runtime's tolower in the "C" locale, which the programs
// never leave, spelled out so that no locale can change a name.
inline char LowerLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerName(const std::string& name);

// Lowers length bytes in place; a NUL among them is a byte like any other.
void LowerBytes(char* text, size_t length);

// What a closing ".*" of a pattern does for a name that has no dot there.
enum class DotStar {
    // As the Windows directory search: the ".*" may also match nothing, so
    // "x.*" matches "x" and "*.*" matches every name.
    Optional,
    // Only for a name with no dot at all: "*.*" still matches every name,
    // but "a.b.*" does not match "a.b" (trevak's file selection).
    DotlessOnly,
};

// One name against one pattern: '*' any run, '?' any one character, other
// characters without regard to letter case.
bool WildcardMatches(const char* pattern, const char* name, DotStar rule = DotStar::Optional);

#endif
