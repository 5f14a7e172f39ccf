// The one name check of extraction, as a table.
#include <string>

#include <gtest/gtest.h>

#include "arcname.h"

namespace {

TEST(MemberName, RefusesEveryFormThatLeavesTheTargetOrNamesADevice)
{
    const char* refused[] = {
        "/etc/passwd",
        "\\windows\\win.ini",
        "//server/share/x",
        "c:evil.txt",
        "C:\\autoexec.bat",
        "d:/x",
        "a:b",
        "file.txt:stream",
        "..",
        "../x",
        "a/../../x",
        "a/..",
        "a\\..\\..\\x",
        "./../x",
        "...",
        "a/.. /b",
        ". ./x",
        "con",
        "CON",
        "con.txt",
        "Nul.tar.gz",
        "a/aux",
        "prn.",
        "nul .txt",
        "com1",
        "COM9.log",
        "lpt1",
        "lpt9.txt",
        "dir/lpt3/x",
        "com\xB9",
        "COM\xB2",
        "com\xB3.txt",
        "lpt\xB9",
        "LPT\xB2 .log",
        "dir/lpt\xB3/x",
    };
    for (const char* name : refused) {
        std::string clean = "unchanged";
        bool slash;
        EXPECT_FALSE(CheckMemberName(name, &clean, &slash)) << name;
    }
}

TEST(MemberName, PassesOrdinaryNamesDroppingOnlyDotComponents)
{
    struct Case {
        const char* stored;
        const char* clean;
        bool slash;
    } cases[] = {
        {"a/b/c.txt", "a/b/c.txt", false},
        {".config/x", ".config/x", false},
        {"x..y", "x..y", false},
        {"..x", "..x", false},
        {"./a/./b", "a/b", false},
        {"a\\b\\c", "a/b/c", false},
        {"a//b", "a/b", false},
        {"src/", "src", true},
        {"./", "", true},
        {".", "", false},
        {"com10", "com10", false},
        {"console.txt", "console.txt", false},
        {"lpt", "lpt", false},
        {"com0", "com0", false},
        {"auxiliary/x", "auxiliary/x", false},
        // Superscripts other than one to three name no device.
        {"com\xBC", "com\xBC", false},
        {"lpt\xB0", "lpt\xB0", false},
        {"com\xB9\xB9", "com\xB9\xB9", false},
    };
    for (const Case& c : cases) {
        std::string clean;
        bool slash = !c.slash;
        EXPECT_TRUE(CheckMemberName(c.stored, &clean, &slash)) << c.stored;
        EXPECT_EQ(clean, c.clean) << c.stored;
        EXPECT_EQ(slash, c.slash) << c.stored;
    }
}

}   // namespace
