#include <direct.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "dispatch.h"
#include "unit_support.h"

namespace {
TEST(UtilityFromCommandLine, OnlyTheSevenLowerCaseFlagsSelect)
{
    struct Case {
        const char* line;
        int utility;
    } cases[] = {
        {"-c c:\\data\\big.txt", 0},
        {"-d ", 1},
        {"-f", 2},
        {"-p x", 3},
        {"-s c:\\a\\b", 4},
        {"-t c:\\docs\\readme.txt", 5},
        {"-w c:\\src\\main.c", 6},
        {"-wx", 6},
        {"-D c:\\src\\main.c", -1},
        {"-W", -1},
        {"-x c:\\a.b", -1},
        {"-", -1},
        {"", -1},
        {" -w", -1},
        {"w", -1},
        {"/w", -1},
        {"c:\\docs\\readme.txt", -1},
        {"--w", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.utility, UtilityFromCommandLine(c.line)) << '"' << c.line << '"';
    EXPECT_EQ(-1, UtilityFromCommandLine(nullptr));
}

TEST(UtilityFromCommandLine, EveryRowIsSelectedByItsOwnFlag)
{
    for (int i = 0; i < 7; ++i) {
        std::string line = std::string(g_utilityTable[i].flag) + " c:\\x\\y.z";
        EXPECT_EQ(i, UtilityFromCommandLine(line.c_str())) << g_utilityTable[i].flag;
    }
}

TEST(UtilityTable, RowsMatchTheSelectionDialogOrder)
{
    const char* flags[] = {"-c", "-d", "-f", "-p", "-s", "-t", "-w"};
    const int contexts[] = {1001, 1002, 1003, 1005, 1006, 1007, 1008};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(flags[i], g_utilityTable[i].flag);
        EXPECT_EQ(contexts[i], g_utilityTable[i].helpContext);
        // Only the two utilities that write files alone leave no window.
        EXPECT_EQ(i != 0 && i != 3, g_utilityTable[i].hasResults);
    }
    EXPECT_STREQ("WC for Windows", g_utilityTable[6].caption);
    EXPECT_EQ(111, g_utilityTable[6].dialogId);
}

TEST(ArgumentFromCommandLine, TextAfterTheLastBackslashLowerCased)
{
    struct Case {
        const char* line;
        const char* argument;
    } cases[] = {
        {"-t c:\\docs\\readme.txt", "readme.txt"},
        {"-t C:\\DOCS\\ReadMe.TXT", "readme.txt"},
        {"-d", ""},
        {"-d ", ""},
        {"-c readme.txt", ""},
        {"", ""},
        {"c:\\docs\\readme.txt", "readme.txt"},
        {"-D c:\\src\\Main.C", "main.c"},
        {"-x c:\\a\\b\\c d.txt ", "c d.txt "},
        {"-w c:\\src\\", ""},
        {"-w \\\\server\\share\\file", "file"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.argument), std::string(ArgumentFromCommandLine(c.line))) << '"' << c.line << '"';
}

TEST(WcFilenamesPreset, ExtensionOfTheArgumentOrAllFiles)
{
    struct Case {
        const char* line;
        const char* preset;
    } cases[] = {
        {"-w c:\\src\\main.c", "*.c"},
        {"-w c:\\src\\makefile", "*.*"},
        {"-w", "*.*"},
        {"-w c:\\src\\Archive.TAR.GZ", "*.gz"},
        {"-w main.c", "*.*"},            // no backslash, no argument
        {"-w c:\\v1.2\\notes", "*.*"},   // only the last component counts
        {"-w c:\\src\\trailing.", "*."},
    };
    for (const Case& c : cases) {
        CString argument = ArgumentFromCommandLine(c.line);
        EXPECT_EQ(std::string(c.preset), std::string(WcFilenamesPreset(argument))) << '"' << c.line << '"';
    }
    EXPECT_EQ(std::string("*.txt"), std::string(WcFilenamesPreset("READ.ME.TXT")));
    EXPECT_EQ(std::string("*.*"), std::string(WcFilenamesPreset("")));
}

TEST(CurrentDirectoryLower, IsTheCurrentDirectoryInLowerCase)
{
    TempDir dir;
    std::string mixed = dir.file("MixedCase Dir");
    ASSERT_TRUE(CreateDirectoryA(mixed.c_str(), nullptr));
    CurrentDirectory inside(mixed);
    char actual[MAX_PATH];
    ASSERT_NE(nullptr, _getcwd(actual, sizeof actual));
    std::string expected(actual);
    for (char& c : expected)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string got(CurrentDirectoryLower());
    EXPECT_EQ(expected, got);
    EXPECT_NE(std::string::npos, got.find("\\mixedcase dir"));
}
}   // namespace
