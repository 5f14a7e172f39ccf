#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "outtext.h"
#include "unit_support.h"
#include "wc.h"

namespace {
const WcOptions kAll = {true, true, true};

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class WcTest : public ::testing::Test {
protected:
    WcTest() : m_inside(m_dir.path()) {}
    void SetUp() override { ResetOutput(); }
    void TearDown() override
    {
        CloseOutputSpill();
        ResetOutput();
        g_outputDir[0] = 0;
    }

    void Make(const std::string& name, const std::string& bytes) { WriteFileBytes(m_dir.file(name), bytes); }

    TempDir m_dir;
    CurrentDirectory m_inside;
    MessageRecorder m_messages;
};

TEST_F(WcTest, CountsOfOneFile)
{
    struct Case {
        const char* label;
        std::string bytes;
        long lines, words, size;
    } cases[] = {
        {"two lines, three words", "one two\r\nthree\r\n", 2, 3, 16},
        {"last line without line feed", "a b\r\nc", 2, 3, 6},
        {"empty file", "", 0, 0, 0},
        {"empty lines", "\r\n\r\n", 2, 0, 4},
        {"blanks and tabs around words", "  lead\tand trail  \r\n", 1, 3, 20},
        {"510 characters: one read", std::string(510, 'x') + "\r\n", 1, 1, 512},
        {"511 characters: the line feed is a read of its own", std::string(511, 'x') + "\r\n", 2, 1, 513},
        {"a word cut by the read counts twice", std::string(600, 'x') + "\r\n", 2, 2, 602},
        {"bare carriage return is no separator", "one\rtwo\r\n", 1, 1, 9},
        {"text mode ends at ctrl-z, size does not",
         "a b\r\n\x1a"
         "c d\r\n",
         1,
         2,
         11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Make("f.txt", c.bytes);
        WcTotals totals = {0, 0, 0};
        WcCountFiles("f.txt", kAll, totals);
        EXPECT_EQ(c.lines, totals.lines);
        EXPECT_EQ(c.words, totals.words);
        EXPECT_EQ(c.size, totals.bytes);
        EXPECT_TRUE(m_messages.messages().empty());
    }
}

TEST_F(WcTest, ResultLinesShowTheChosenCountsInOrder)
{
    Make("f.txt", "one two\r\nthree\r\n");
    struct Case {
        WcOptions options;
        const char* output;
    } cases[] = {
        {{true, true, true}, "       2        3       16    f.txt\r\n       2        3       16    total\r\n"},
        {{false, true, false}, "       3    f.txt\r\n       3    total\r\n"},
        {{true, false, true}, "       2       16    f.txt\r\n       2       16    total\r\n"},
        {{false, false, true}, "      16    f.txt\r\n      16    total\r\n"},
        {{false, false, false}, "   f.txt\r\n   total\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        WcRun(m_dir.path().c_str(), "f.txt", c.options);
        EXPECT_EQ(std::string(c.output), std::string(g_outputText));
    }
    EXPECT_EQ(m_dir.path(), std::string(g_outputDir));
}

TEST_F(WcTest, SeveralFilesAddUpAndAreShownInLowerCase)
{
    Make("B.TXT", "x y z\r\n");
    Make("a.txt", "one two\r\nthree\r\n");
    Make("Other.Dat", "not counted\r\n");
    WcRun(m_dir.path().c_str(), "*.TXT", kAll);
    EXPECT_EQ(std::string("       2        3       16    a.txt\r\n"
                          "       1        3        7    b.txt\r\n"
                          "       3        6       23    total\r\n"),
              std::string(g_outputText));

    // Counts that are not shown are still added up.
    WcTotals totals = {0, 0, 0};
    WcCountFiles("*.txt", WcOptions{false, true, false}, totals);
    EXPECT_EQ(3, totals.lines);
    EXPECT_EQ(6, totals.words);
    EXPECT_EQ(23, totals.bytes);
}

TEST_F(WcTest, NothingMatchedStillGivesTheTotalsLine)
{
    Make("a.txt", "words\r\n");
    WcRun(m_dir.path().c_str(), "*.none", kAll);
    EXPECT_EQ((std::vector<std::string>{"Cant open specified input file", "Cant find input file"}),
              m_messages.messages());
    EXPECT_EQ(std::string("       0        0        0    total\r\n"), std::string(g_outputText));
}

TEST_F(WcTest, FileThatCannotBeOpenedIsSkipped)
{
    Make("a.txt", "one\r\n");
    Make("locked.txt", "two words\r\n");
    Make("b.txt", "three\r\n");
    HANDLE lock = CreateFileA(
        m_dir.file("locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    WcRun(m_dir.path().c_str(), "a.txt locked.txt b.txt", kAll);
    CloseHandle(lock);
    EXPECT_EQ(std::vector<std::string>{"Cant open input file"}, m_messages.messages());
    EXPECT_EQ(std::string("       1        1        5    a.txt\r\n"
                          "       1        1        7    b.txt\r\n"
                          "       2        2       12    total\r\n"),
              std::string(g_outputText));
}

TEST_F(WcTest, SpilledRunShowsTheNoticeInLowerCase)
{
    std::string spillDir = m_dir.file("SPILL");
    ASSERT_TRUE(CreateDirectoryA(spillDir.c_str(), nullptr));
    std::string expected;
    for (int i = 0; i < 150; ++i) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%03d", i);
        std::string name = prefix + std::string(200, 'n') + ".txt";
        Make(name, "a b\r\n");
        expected += "       1        2        5    " + name + "\r\n";
    }
    expected += "     150      300      750    total\r\n";

    WcRun(spillDir.c_str(), "*.txt", kAll);
    EXPECT_FALSE(g_output.Spilling());
    EXPECT_TRUE(m_messages.messages().empty());

    const char* label = "**** results written to file: ";
    std::string shown(g_outputText);
    size_t at = shown.find(label);
    ASSERT_NE(std::string::npos, at) << shown;
    at += std::strlen(label);
    std::string name = shown.substr(at, shown.find("\r\n", at) - at);
    EXPECT_EQ(Lowered(spillDir) + "\\tm", name.substr(0, spillDir.size() + 3));
    EXPECT_EQ("****\r\n**** too much output (>32kb)\r\n**** results written to file: " + name +
                  "\r\n**** use zodo to display this file\r\n****\r\n",
              shown);

    std::string written;
    ASSERT_TRUE(ReadFileBytes(name, written));
    EXPECT_EQ(expected, written);
}
}   // namespace
