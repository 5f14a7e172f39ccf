#ifdef _WIN32
#include <windows.h>
#endif

#include <string>
#include <vector>

#include "ombrix_test_support.h"
#include "outtext.h"
#include "tail.h"

namespace {
class TailTest : public UtilityTest {
protected:
    // The output of one run over one file, with its header taken off and
    // checked.
    std::string Body(const std::string& name, int program, int skip, int lines)
    {
        TailRun(m_dir.path().c_str(), name.c_str(), {program, skip, lines});
        std::string out = Output();
        std::string header = "====> " + Lowered(name) + " <====\r\n\r\n";
        EXPECT_EQ(header, out.substr(0, header.size()));
        EXPECT_GE(out.size(), header.size() + 2);
        EXPECT_EQ("\r\n", out.substr(out.size() - 2));
        return out.substr(header.size(), out.size() - header.size() - 2);
    }
};

TEST_F(TailTest, TailShowsTheLastLines)
{
    struct Case {
        const char* bytes;
        int lines;
        const char* shown;
    } cases[] = {
        {"a\nb\nc", 1, "b\nc"},   // an unterminated last line and the one before
        {"a\nb\nc\n", 1, "c\n"},
        {"1\n2\n3\n", 10, "1\n2\n3\n"},   // fewer lines than asked: all of them
        {"1\n2\n3\n", 3, "1\n2\n3\n"},
        {"1\r\n2\r\n3\r\n", 2, "2\r\n3\r\n"},
        {"a\nb\n", 0, ""},
        {"a\nb", 0, "b"},
        {"a\nb", -1, ""},
        {"", 5, ""},
        {"\n\n\n", 2, "\n\n"},
        {"no line feed at all", 3, "no line feed at all"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        SCOPED_TRACE(c.lines);
        Make("f.txt", c.bytes);
        EXPECT_EQ(c.shown, Body("f.txt", kTail, 0, c.lines));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TailTest, TailFindsItsLinesAcrossTheBlocksItReads)
{
    // Lines of varying length over several hundred kilobytes.
    std::vector<std::string> lines;
    std::string text;
    for (int i = 0; i < 6000; ++i) {
        std::string line = std::to_string(i) + std::string(static_cast<size_t>(i % 97), 'x') + "\r\n";
        lines.push_back(line);
        text += line;
    }
    Make("big.txt", text);
    for (int n : {1, 700, 1500, 5999, 6000, 7000}) {
        SCOPED_TRACE(n);
        std::string expected;
        for (size_t i = lines.size() > static_cast<size_t>(n) ? lines.size() - static_cast<size_t>(n) : 0;
             i < lines.size();
             ++i)
            expected += lines[i];
        ResetOutput();
        TailTailFile("big.txt", static_cast<long long>(text.size()), n);
        std::string shown = Everything();
        EXPECT_TRUE(shown == expected) << shown.size() << " characters instead of " << expected.size();
    }
}

TEST_F(TailTest, AFileWithoutLineFeedsIsShownWhole)
{
    std::string text(3 * 1024 * 1024, 'q');
    Make("one.txt", text);
    TailTailFile("one.txt", static_cast<long long>(text.size()), 10);
    // Too much for the window: it went to the spill file, in one piece.
    ASSERT_TRUE(g_output.Spilling());
    std::string spilled = Everything();
    EXPECT_TRUE(spilled == text) << spilled.size();
}

TEST_F(TailTest, HeadSkipsThenShowsLinesAsRead)
{
    std::string seven = NumberedLines(1, 7, "\n");
    struct Case {
        std::string bytes;
        int skip, lines;
        std::string shown;
    } cases[] = {
        {seven, 2, 3, NumberedLines(3, 5, "\n")},
        {seven, 0, 10, seven},
        {seven, 7, 3, ""},
        {seven, 50, 3, ""},
        {seven, -4, 2, NumberedLines(1, 2, "\n")},
        {seven, 0, 0, ""},
        {seven, 0, -1, ""},
        {"a\r\nb\r\nc", 1, 5, "b\r\nc"},
        // A line longer than 511 bytes is read, and counted, in pieces.
        {std::string(600, 'x') + "\nnext\n", 1, 1, std::string(89, 'x') + "\n"},
        {std::string(600, 'x') + "\nnext\n", 0, 1, std::string(511, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        SCOPED_TRACE(std::to_string(c.skip) + " skipped, " + std::to_string(c.lines) + " shown");
        Make("f.txt", c.bytes);
        EXPECT_EQ(c.shown, Body("f.txt", kHead, c.skip, c.lines));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TailTest, EachFileGetsItsHeaderAndAnEmptyLine)
{
    Make("B.TXT", "b1\nb2\n");
    Make("a.txt", "a1\na2\na3\n");
    Make("c.dat", "not listed\n");
    TailRun(m_dir.path().c_str(), "*.txt", {kTail, 0, 1});
    EXPECT_EQ(
        "====> a.txt <====\r\n\r\na3\n\r\n"
        "====> b.txt <====\r\n\r\nb2\n\r\n",
        Output());
    EXPECT_EQ(m_dir.path(), std::string(g_outputDir));

    TailRun(m_dir.path().c_str(), "b.txt a.txt", {kHead, 1, 1});
    EXPECT_EQ(
        "====> b.txt <====\r\n\r\nb2\n\r\n"
        "====> a.txt <====\r\n\r\na2\n\r\n",
        Output());
    EXPECT_TRUE(Messages().empty());
}

// Holds a file open with no sharing, which only Windows knows.
#ifdef _WIN32
TEST_F(TailTest, AFileThatCannotBeOpenedShowsOnlyItsHeader)
{
    Make("a.txt", "a\n");
    Make("b.txt", "b\n");
    Make("c.txt", "c\n");
    HANDLE lock = CreateFileA(
        m_dir.file("b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    for (int program : {kHead, kTail}) {
        SCOPED_TRACE(program);
        m_messages.clear();
        TailRun(m_dir.path().c_str(), "*.txt", {program, 0, 5});
        EXPECT_EQ(std::vector<std::string>{"cant open b.txt"}, Messages());
        EXPECT_EQ(
            "====> a.txt <====\r\n\r\na\n\r\n"
            "====> b.txt <====\r\n\r\n\r\n"
            "====> c.txt <====\r\n\r\nc\n\r\n",
            Output());
    }
    CloseHandle(lock);
}
#endif

TEST_F(TailTest, NothingMatchedIsReportedTwice)
{
    Make("a.txt", "a\n");
    TailRun(m_dir.path().c_str(), "*.none", {kTail, 0, 5});
    EXPECT_EQ((std::vector<std::string>{"Cant open specified input file", "cant find input file"}), Messages());
    EXPECT_EQ("", Output());
}

TEST_F(TailTest, ANulByteEndsWhatTailShows)
{
    Make("zero.bin", std::string("x\nab\0cd\nef\n", 11));
    EXPECT_EQ("ab", Body("zero.bin", kTail, 0, 2));
}
}   // namespace
