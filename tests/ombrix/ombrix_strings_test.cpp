#ifdef _WIN32
#include <windows.h>
#endif

#include <string>
#include <vector>

#include "ombrix_test_support.h"
#include "outtext.h"
#include "strscan.h"

namespace {
class StringsTest : public UtilityTest {
protected:
    // The lines listed for one file, its header and closing empty line
    // checked and taken off.
    std::string Body(const std::string& bytes, int minLength, int offsets)
    {
        Make("f.bin", bytes);
        ResetOutput();
        EXPECT_TRUE(StringsScanFile("f.bin", minLength, offsets));
        std::string out = Everything();
        const std::string header = "====> f.bin <====\r\n\r\n";
        EXPECT_EQ(header, out.substr(0, header.size()));
        EXPECT_EQ("\r\n", out.substr(out.size() - 2));
        return out.substr(header.size(), out.size() - header.size() - 2);
    }
};

TEST_F(StringsTest, RunsClosedByAStringEndAreListed)
{
    struct Case {
        const char* label;
        std::string bytes;
        int minLength;
        const char* listed;
    } cases[] = {
        {"NUL and line feed end runs", std::string("abc\0hello\n", 10), 4, "hello\r\n"},
        {"shorter runs are left out", std::string("abc\0hello\n", 10), 3, "abc\r\nhello\r\n"},
        {"carriage return and line feed end a run", "hello\r\n", 4, "hello\r\n"},
        {"a lone carriage return drops the run", "hello\rxworld\n", 4, "xworld\r\n"},
        {"carriage return at the end of the file", "hello\r", 1, ""},
        {"carriage return before carriage return and line feed", "abcd\r\r\nefgh\n", 1, "efgh\r\n"},
        {"a run at the end without a string end", "first\nlast one", 4, "first\r\n"},
        {"tab is not printable", "ab\tcdefg\n", 4, "cdefg\r\n"},
        {"bytes from 0x80 up are not printable",
         "abc\x80"
         "defg\n",
         4,
         "defg\r\n"},
        {"DEL is not printable",
         "abcd\x7f"
         "efgh\n",
         4,
         "efgh\r\n"},
        {"blank and tilde are", std::string(" ~~~ \0", 6), 5, " ~~~ \r\n"},
        {"an empty line at every string end with no run", "\n\nab\n", 0, "\r\n\r\nab\r\n"},
        {"and with a negative length", std::string("\0x\n", 3), -3, "\r\nx\r\n"},
        {"a length above 512 lists nothing", std::string(1300, 'a') + "\n", 513, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.listed, Body(c.bytes, c.minLength, kOffsetsNone));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StringsTest, OffsetsAreThePositionsOfTheRunsFirstBytes)
{
    struct Case {
        const char* label;
        std::string bytes;
        int minLength;
        int offsets;
        std::string listed;
    } cases[] = {
        {"decimal", std::string("abc\0hello\n", 10), 4, kOffsetsDecimal, "       4: hello\r\n"},
        {"a run at the start is at 0", "hello\n", 4, kOffsetsDecimal, "       0: hello\r\n"},
        {"octal", std::string(1000, '\x01') + "word\n", 4, kOffsetsOctal, "    1750: word\r\n"},
        {"hexadecimal in lower case", std::string(1000, '\x01') + "word\n", 4, kOffsetsHex, "     3e8: word\r\n"},
        {"wide offsets take more columns",
         std::string(123456789 / 10000, '\x01') + "word\n",
         4,
         kOffsetsDecimal,
         "   12345: word\r\n"},
        {"a long run is cut every 512 characters",
         std::string(1300, 'r') + "\n",
         4,
         kOffsetsDecimal,
         "       0: " + std::string(512, 'r') + "\r\n     512: " + std::string(512, 'r') +
             "\r\n    1024: " + std::string(276, 'r') + "\r\n"},
        {"the pieces need no string end of their own",
         "\x01" + std::string(513, 's') + "\x01",
         1,
         kOffsetsDecimal,
         "       1: " + std::string(512, 's') + "\r\n"},
        {"an empty run is at the string end that closes it",
         "ab\n\r\n\n",
         0,
         kOffsetsDecimal,
         "       0: ab\r\n       3: \r\n       5: \r\n"},
        {"after a dropped carriage return", "xy\rzw\n", 2, kOffsetsDecimal, "       3: zw\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.listed, Body(c.bytes, c.minLength, c.offsets));
    }
}

TEST_F(StringsTest, FilesAreListedInOrderUnderTheirHeaders)
{
    Make("Second.BIN", "two\n");
    Make("first.bin", "one\n");
    StringsRun(m_dir.path().c_str(), "first.bin *.BIN", {3, kOffsetsNone});
    EXPECT_EQ(
        "====> first.bin <====\r\n\r\none\r\n\r\n"
        "====> first.bin <====\r\n\r\none\r\n\r\n"
        "====> second.bin <====\r\n\r\ntwo\r\n\r\n",
        Output());
    EXPECT_EQ(m_dir.path(), std::string(g_outputDir));
    EXPECT_TRUE(Messages().empty());
}

// Holds a file open with no sharing, which only Windows knows.
#ifdef _WIN32
TEST_F(StringsTest, AFileThatCannotBeOpenedEndsTheRun)
{
    Make("a.bin", "aaaa\n");
    Make("b.bin", "bbbb\n");
    Make("c.bin", "cccc\n");
    HANDLE lock = CreateFileA(
        m_dir.file("b.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    StringsRun(m_dir.path().c_str(), "*.bin", {4, kOffsetsNone});
    CloseHandle(lock);
    EXPECT_EQ(std::vector<std::string>{"cant open input file"}, Messages());
    EXPECT_EQ("====> a.bin <====\r\n\r\naaaa\r\n\r\n", Output());
}
#endif

TEST_F(StringsTest, NothingMatchedIsReportedTwice)
{
    StringsRun(m_dir.path().c_str(), "*.none", {4, kOffsetsNone});
    EXPECT_EQ((std::vector<std::string>{"Cant open specified input file", "Cant find input file"}), Messages());
    EXPECT_EQ("", Output());
}
}   // namespace
