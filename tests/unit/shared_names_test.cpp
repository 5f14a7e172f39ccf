// Name folding and wildcard matching. The shell's and the runtime stand-in's
// matching follow the Windows directory search; trevak's selection takes a
// closing ".*" only for a name without a dot. Both read one table.
#include <gtest/gtest.h>

#include <string>

#include "names.h"

namespace {

TEST(LowerName, OnlyTheLettersAToZChange)
{
    struct Case {
        const char* name;
        const char* lowered;
    } cases[] = {
        {"README.TXT", "readme.txt"},
        {"MiXeD.TxT", "mixed.txt"},
        {"@[`{", "@[`{"},                           // the neighbours of both alphabets
        {"\xC4\xD6\xDC.TXT", "\xC4\xD6\xDC.txt"},   // bytes above 0x7F as they are
        {"AZaz09", "azaz09"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LowerName(c.name), c.lowered) << c.name;
}

TEST(LowerName, BytesAfterANulAreLoweredToo)
{
    char text[] = {'A', '\0', 'B', 'c', '\xC9'};
    LowerBytes(text, sizeof text);
    EXPECT_EQ(std::string(text, sizeof text), std::string("a\0bc\xC9", 5));
}

TEST(Wildcard, WindowsSearchAndTrevakSelection)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool windows;   // DotStar::Optional
        bool trevak;    // DotStar::DotlessOnly
    } cases[] = {
        {"*.*", "a.txt", true, true},
        {"*.*", "makefile", true, true},
        {"*.*", ".hidden", true, true},
        {"*.*", "", true, true},
        {"*", ".hidden", true, true},
        {"*.c", "x.C", true, true},   // any case, both ways
        {"*.C", "x.c", true, true},
        {"*.c", "x.cc", false, false},
        {"*.txt", "a.txt.bak", false, false},
        {"a?c", "abc", true, true},
        {"a?c", "a.c", true, true},   // '?' takes a dot
        {"a?c", "ac", false, false},
        {"read*", "README", true, true},
        {"a*b*c", "axxbyyc", true, true},
        {"a*b*c", "axxbyy", false, false},
        {"*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaab", true, true},
        {"*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false, false},
        {"**", "", true, true},
        {"", "", true, true},
        {"", "a", false, false},
        {"x", "y", false, false},
        // A closing ".*" that may match nothing.
        {"abc.*", "abc", true, true},
        {"abc.*", "abc.d.e", true, true},
        {"abc.*", "abcd", false, false},
        {"a.b.*", "a.b", true, false},   // the rules differ for a dotted name
        {"*c.*", "a.c", true, false},
        {"*c.*", "abc", true, true},
        {"abc.?", "abc", false, false},   // only ".*" closes that way
        // Bytes above 0x7F match only themselves.
        {"\xC4*", "\xC4x", true, true},
        {"\xC4*", "\xE4x", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WildcardMatches(c.pattern, c.name, DotStar::Optional), c.windows)
            << '"' << c.pattern << "\" \"" << c.name << '"';
        EXPECT_EQ(WildcardMatches(c.pattern, c.name, DotStar::DotlessOnly), c.trevak)
            << '"' << c.pattern << "\" \"" << c.name << "\" (trevak)";
    }
    EXPECT_TRUE(WildcardMatches("x.*", "x"));   // the Windows search unless told otherwise
}

}   // namespace
